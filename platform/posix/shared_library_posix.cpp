#include "platform/shared_library.h"

#include <dlfcn.h>
#include <unistd.h>
#include <vector>

SharedLibrary::~SharedLibrary() {
    Close();
}

bool SharedLibrary::Open(const std::string& path) {
    Close();
    error_.clear();
    // RTLD_LOCAL keeps each plug-in's symbols to itself, as hosts load them.
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* why = dlerror();
        error_ = why != nullptr ? why : "cannot load " + path;
        return false;
    }
    return true;
}

void SharedLibrary::Close() {
    if (handle_ != nullptr) {
        dlclose(handle_);
        handle_ = nullptr;
    }
}

void* SharedLibrary::Symbol(const char* name) const {
    if (handle_ == nullptr || name == nullptr) {
        return nullptr;
    }
    return dlsym(handle_, name);
}

const char* SharedLibrarySuffix() {
    return ".so";
}

std::string ExecutableDirectory() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return {};
    }
    std::string path(buffer.data(), static_cast<size_t>(length));
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileBesideExecutable(const std::string& name) {
    return ExecutableDirectory() + '/' + name;
}
