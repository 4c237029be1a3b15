// GraphicsWin32: the editor's Windows side. No window yet: it answers every window operation
// with no window and every dialog with its failure result, and loads the images from the DLL's
// resources. The switch that announces the editor to hosts is CanOpenWindows.
#pragma once

#include "editor/windowless_graphics.h"

class GraphicsWin32 : public WindowlessGraphics {
public:
    using WindowlessGraphics::WindowlessGraphics;

    const char* BackendName() override { return "Windows GDI"; }
};
