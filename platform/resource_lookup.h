// Finds a resource embedded in a module by numeric id and type name: on Windows the module's
// resources, elsewhere the table of files embedded into the binary at build time. The bytes
// belong to the module and stay valid as long as it is loaded.
#pragma once

#include "platform/module_handle.h"

struct ResourceBytes {
    const void* data;
    int size;
};

// False, with out untouched, when the module has no resource of that id (low 16 bits) and type.
bool FindModuleResource(ModuleHandle module, int id, const char* type, ResourceBytes& out);
