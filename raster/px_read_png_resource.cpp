#include "platform/resource_lookup.h"
#include "raster/px_read_png.h"

namespace {

// The resource memory belongs to the module: read in place, never copied or freed.
bool FindPngResource(ModuleHandle module, int id, ResourceBytes& bytes) {
    return FindModuleResource(module, id & 0xFFFF, "PNG", bytes) && bytes.size >= 8;
}

} // namespace

PX_MemBitmap* PX_ReadPngResource(ModuleHandle module, int id) {
    ResourceBytes bytes{};
    return FindPngResource(module, id, bytes) ? PX_ReadPngFromMemory(bytes.data, bytes.size)
                                              : nullptr;
}

bool PX_ReadPngResourceSize(ModuleHandle module, int id, int& width, int& height) {
    ResourceBytes bytes{};
    return FindPngResource(module, id, bytes) &&
           PX_ReadPngSize(bytes.data, bytes.size, width, height);
}
