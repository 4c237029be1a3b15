#include "platform/shared_library.h"

#include <vector>
#include <windows.h>

namespace {

// Wine runs Windows programs started from a Unix shell with Unix paths in their arguments; its Z:
// drive maps the Unix root, so "/x/y" names the same file as "Z:\x\y".
std::string WindowsPath(const std::string& path) {
    std::string result = path;
    if (!result.empty() && result[0] == '/' && (result.size() < 2 || result[1] != '/')) {
        result = "Z:" + result;
    }
    for (char& c : result) {
        if (c == '/') {
            c = '\\';
        }
    }
    return result;
}

std::string LastErrorText(const std::string& path) {
    const DWORD code = GetLastError();
    char message[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   message, sizeof(message) - 1, nullptr);
    std::string text = "cannot load " + path + " (error " + std::to_string(code) + ")";
    if (message[0] != '\0') {
        text += ": ";
        text += message;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
    }
    return text;
}

} // namespace

SharedLibrary::~SharedLibrary() {
    Close();
}

bool SharedLibrary::Open(const std::string& path) {
    Close();
    error_.clear();
    // No error dialog boxes: a failed load is reported to the caller.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(WindowsPath(path).c_str());
    if (module == nullptr) {
        error_ = LastErrorText(path);
    }
    SetErrorMode(oldMode);
    handle_ = reinterpret_cast<void*>(module);
    return handle_ != nullptr;
}

void SharedLibrary::Close() {
    if (handle_ != nullptr) {
        FreeLibrary(reinterpret_cast<HMODULE>(handle_));
        handle_ = nullptr;
    }
}

void* SharedLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name));
}

const char* SharedLibrarySuffix() {
    return ".dll";
}

std::string ExecutableDirectory() {
    std::vector<char> buffer(32768);
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size() - 1));
    if (length == 0 || length >= buffer.size() - 1) {
        return {};
    }
    std::string path(buffer.data(), length);
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string FileBesideExecutable(const std::string& name) {
    return ExecutableDirectory() + '\\' + name;
}
