#include "platform/module_handle.h"

#include <dlfcn.h>

ModuleHandle ThisModuleHandle() {
    // The address of this function lies inside whichever binary this file was linked into.
    static void* const handle = [] {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(&ThisModuleHandle), &info) == 0) {
            return static_cast<void*>(nullptr);
        }
        return info.dli_fbase;
    }();
    return handle;
}
