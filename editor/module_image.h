// The editor's images as the window classes load them: PNG resources of the plug-in module.
#pragma once

#include "platform/module_handle.h"
#include "raster/px_bitmap.h"

// The PNG resource id of module, decoded; null when the name's extension (the text after its
// last '.') is not "png" in any case, or the resource is missing or cannot be decoded. The name
// is used for nothing else.
PX_Bitmap* LoadModuleImage(ModuleHandle module, int id, const char* name);
