// The editor's images as the window classes load them: PNG resources of the plug-in module.
#pragma once

#include "editor/image_size.h"
#include "platform/module_handle.h"
#include "raster/px_bitmap.h"

// The PNG resource id of module, decoded; null when the name's extension (the text after its
// last '.') is not "png" in any case, or the resource is missing or cannot be decoded. The name
// is used for nothing else.
PX_Bitmap* LoadModuleImage(ModuleHandle module, int id, const char* name);

// Its size from the PNG header, no pixel decoded; empty where LoadModuleImage fails before the
// image data (the name, the resource, the header).
ImageSize ModuleImageSize(ModuleHandle module, int id, const char* name);
