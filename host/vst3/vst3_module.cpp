#include "host/vst3/vst3_module.h"

#include <cstring>

namespace {

bool IsWindows() {
    return std::strcmp(SharedLibrarySuffix(), ".dll") == 0;
}

} // namespace

Vst3Module::~Vst3Module() {
    Close();
}

std::string Vst3Module::BinaryPath(const std::string& bundle) {
    std::string folder = bundle;
    while (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) {
        folder.pop_back();
    }
    const size_t slash = folder.find_last_of("/\\");
    std::string name = slash == std::string::npos ? folder : folder.substr(slash + 1);
    const std::string extension = ".vst3";
    if (name.size() > extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
        name.resize(name.size() - extension.size());
    }
    return folder + (IsWindows() ? "/Contents/x86_64-win/" + name + ".vst3"
                                 : "/Contents/x86_64-linux/" + name + ".so");
}

// Linux hosts refuse a module without both ModuleEntry and ModuleExit; Windows modules may offer
// InitDll and ExitDll, both optional.
bool Vst3Module::Enter() {
    if (IsWindows()) {
        auto init = reinterpret_cast<bool (*)()>(library_.Symbol("InitDll"));
        entered_ = init != nullptr && init();
        return init == nullptr || entered_;
    }
    auto entry = reinterpret_cast<vst3::ModuleEntryProc>(library_.Symbol("ModuleEntry"));
    if (entry == nullptr || library_.Symbol("ModuleExit") == nullptr) {
        error_ = "the binary lacks ModuleEntry or ModuleExit";
        return false;
    }
    entered_ = entry(library_.Handle());
    return entered_;
}

bool Vst3Module::Fail(const std::string& why) {
    error_ = why;
    Close();
    return false;
}

bool Vst3Module::Open(const std::string& bundle) {
    Close();
    error_.clear();
    const std::string binary = BinaryPath(bundle);
    if (!library_.Open(binary)) {
        return Fail(library_.Error());
    }
    if (!Enter()) {
        return Fail(error_.empty() ? "the module entry refused" : error_);
    }
    auto getFactory = reinterpret_cast<vst3::GetFactoryProc>(library_.Symbol("GetPluginFactory"));
    if (getFactory == nullptr) {
        return Fail(binary + " lacks GetPluginFactory");
    }
    factory_ = getFactory();
    if (factory_ == nullptr) {
        return Fail("GetPluginFactory returned no factory");
    }
    return true;
}

void Vst3Module::Close() {
    if (factory_ != nullptr) {
        factoryReleaseCount_ = factory_->release();
        factory_ = nullptr;
    }
    if (entered_) {
        auto exit = reinterpret_cast<vst3::ModuleExitProc>(
            library_.Symbol(IsWindows() ? "ExitDll" : "ModuleExit"));
        if (exit != nullptr) {
            exit();
        }
        entered_ = false;
    }
    library_.Close();
}
