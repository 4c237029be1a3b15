#include "platform/resource_lookup.h"

#include <windows.h>

bool FindModuleResource(ModuleHandle module, int id, const char* type, ResourceBytes& out) {
    HMODULE instance = static_cast<HMODULE>(module);
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id & 0xFFFF), type);
    if (found == nullptr) {
        return false;
    }
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr || size > 0x7FFFFFFF) {
        return false;
    }
    out = ResourceBytes{data, static_cast<int>(size)};
    return true;
}
