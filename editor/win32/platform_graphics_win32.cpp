#include "editor/platform_graphics.h"
#include "editor/win32/graphics_win32.h"

#include <new>

GraphicsContext* CreatePlatformGraphics(PluginCore* plugin, ModuleHandle module) {
    return new (std::nothrow) GraphicsWin32(plugin, module);
}
