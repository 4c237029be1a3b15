// GraphicsX11: the editor's Linux side. No window yet: it answers every window operation with no
// window and every dialog with its failure result, and loads the images from the images embedded
// in the library. The switch that announces the editor to hosts is CanOpenWindows.
#pragma once

#include "editor/windowless_graphics.h"

class GraphicsX11 : public WindowlessGraphics {
public:
    using WindowlessGraphics::WindowlessGraphics;

    const char* BackendName() override { return "X11"; }
};
