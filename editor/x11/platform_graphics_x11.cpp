#include "editor/platform_graphics.h"
#include "editor/x11/graphics_x11.h"

#include <new>

GraphicsContext* CreatePlatformGraphics(PluginCore* plugin, ModuleHandle module) {
    return new (std::nothrow) GraphicsX11(plugin, module);
}
