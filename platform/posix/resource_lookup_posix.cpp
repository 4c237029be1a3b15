// Resources are files embedded into the binary at build time (resources/CMakeLists.txt), listed
// in a table of id, type and bytes. A module other than the one holding the table has none.
#include "platform/posix/embedded_resources.h"
#include "platform/resource_lookup.h"

#include <cstring>
#include <dlfcn.h>

namespace {

ModuleHandle TableModule() {
    static void* const module = [] {
        Dl_info info{};
        if (dladdr(static_cast<const void*>(&EmbeddedResourceCount), &info) == 0) {
            return static_cast<void*>(nullptr);
        }
        return info.dli_fbase;
    }();
    return module;
}

} // namespace

bool FindModuleResource(ModuleHandle module, int id, const char* type, ResourceBytes& out) {
    if (module == nullptr || module != TableModule() || type == nullptr) {
        return false;
    }
    const int wanted = id & 0xFFFF;
    for (int i = 0; i < EmbeddedResourceCount; ++i) {
        const EmbeddedResource& entry = EmbeddedResources[i];
        if (entry.id == wanted && std::strcmp(entry.type, type) == 0) {
            out = ResourceBytes{entry.begin, static_cast<int>(entry.end - entry.begin)};
            return true;
        }
    }
    return false;
}
