// crescenda-vst3-moduleinfo BUNDLE OUTPUT: loads the bundle as a host does and writes what its
// factory reports as the bundle's moduleinfo.json. The build runs it on every bundle it links, so
// the file always describes the binary beside it.
#include "host/vst3/vst3_module.h"
#include "tools/vst3_moduleinfo/module_info_json.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The module's name: the bundle folder's, without the folder path and ".vst3".
std::string ModuleName(std::string bundle) {
    while (!bundle.empty() && (bundle.back() == '/' || bundle.back() == '\\')) {
        bundle.pop_back();
    }
    const size_t slash = bundle.find_last_of("/\\");
    std::string name = slash == std::string::npos ? bundle : bundle.substr(slash + 1);
    const size_t dot = name.rfind(".vst3");
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool ReadClasses(vst3::IPluginFactory& factory, std::vector<vst3::PClassInfo2>& classes) {
    void* found = nullptr;
    if (factory.queryInterface(vst3::IPluginFactory2::iid.bytes, &found) != vst3::kResultOk) {
        return false;
    }
    auto* factory2 = static_cast<vst3::IPluginFactory2*>(found);
    bool ok = true;
    for (vst3::int32 i = 0; i < factory2->countClasses() && ok; ++i) {
        vst3::PClassInfo2 info{};
        ok = factory2->getClassInfo2(i, &info) == vst3::kResultOk;
        classes.push_back(info);
    }
    factory2->release();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: crescenda-vst3-moduleinfo BUNDLE OUTPUT\n");
        return 2;
    }
    Vst3Module module;
    if (!module.Open(argv[1])) {
        std::fprintf(stderr, "crescenda-vst3-moduleinfo: %s\n", module.Error().c_str());
        return 1;
    }
    vst3::PFactoryInfo factory{};
    std::vector<vst3::PClassInfo2> classes;
    const bool read = module.Factory()->getFactoryInfo(&factory) == vst3::kResultOk &&
                      ReadClasses(*module.Factory(), classes);
    module.Close();
    if (!read) {
        std::fprintf(stderr, "crescenda-vst3-moduleinfo: the factory did not describe itself\n");
        return 1;
    }
    const std::string json = ModuleInfoJson(ModuleName(argv[1]), factory, classes);
    std::FILE* file = std::fopen(argv[2], "wb");
    const bool written =
        file != nullptr && std::fwrite(json.data(), 1, json.size(), file) == json.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "crescenda-vst3-moduleinfo: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
