// The graphics context of this build's window class (GraphicsWin32 on Windows, GraphicsX11
// elsewhere). Each platform folder defines it; CMake picks the file, so callers need no #ifdef.
#pragma once

#include "platform/module_handle.h"

class GraphicsContext;
class PluginCore;

// module: the plug-in library's own module, whose PNG resources hold the editor's images.
GraphicsContext* CreatePlatformGraphics(PluginCore* plugin, ModuleHandle module);
