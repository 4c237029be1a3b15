#include "editor/module_image.h"

#include "raster/px_read_png.h"

#include <cctype>
#include <cstring>

namespace {

bool HasPngExtension(const char* name) {
    const char* dot = name != nullptr ? std::strrchr(name, '.') : nullptr;
    if (dot == nullptr) {
        return false;
    }
    const char* extension = dot + 1;
    const char expected[] = "png";
    for (int i = 0; i < 3; ++i) {
        if (std::tolower(static_cast<unsigned char>(extension[i])) != expected[i]) {
            return false;
        }
    }
    return extension[3] == '\0';
}

} // namespace

PX_Bitmap* LoadModuleImage(ModuleHandle module, int id, const char* name) {
    if (!HasPngExtension(name)) {
        return nullptr;
    }
    return PX_ReadPngResource(module, id);
}

ImageSize ModuleImageSize(ModuleHandle module, int id, const char* name) {
    ImageSize size;
    if (HasPngExtension(name)) {
        PX_ReadPngResourceSize(module, id, size.width, size.height);
    }
    return size;
}
