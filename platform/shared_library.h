// A loaded binary (a .so or a .dll) and the symbols it exports; the bundled host loads plug-ins
// through it.
#pragma once

#include <string>

class SharedLibrary {
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads the binary at `path`, releasing any binary held before. On failure Error() says why.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }

    // The exported symbol's address, or null.
    void* Symbol(const char* name) const;
    const std::string& Error() const { return error_; }
    // What the system's loader returned (a dlopen handle or an HMODULE); some entry points take it.
    void* Handle() const { return handle_; }

private:
    void* handle_ = nullptr;
    std::string error_;
};

// The file-name suffix of a loadable binary on this platform (".so" or ".dll").
const char* SharedLibrarySuffix();

// The folder holding the running executable, without a trailing separator ("" if unknown).
std::string ExecutableDirectory();
// The path of a file named `name` in that folder, with the platform's separator.
std::string FileBesideExecutable(const std::string& name);
