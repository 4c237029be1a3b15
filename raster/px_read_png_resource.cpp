#include "platform/resource_lookup.h"
#include "raster/px_read_png.h"

PX_MemBitmap* PX_ReadPngResource(ModuleHandle module, int id) {
    ResourceBytes bytes{};
    if (!FindModuleResource(module, id & 0xFFFF, "PNG", bytes) || bytes.size < 8) {
        return nullptr;
    }
    // The resource memory belongs to the module: decoded in place, never copied or freed.
    return PX_ReadPngFromMemory(bytes.data, bytes.size);
}
