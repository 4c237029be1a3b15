// X11Presenter: copies rectangles of the canvas to the editor's window, straight from the
// canvas's memory (no copy of the pixels on this side).
#pragma once

#include "editor/bounds.h"

typedef struct _XDisplay Display;
typedef struct _XGC* GC;

class PX_Bitmap;

class X11Presenter {
public:
    X11Presenter() = default;
    ~X11Presenter() { Release(); }
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // For a window whose pixels are 32-bit words of the given depth (24 or 32).
    void Prepare(Display* display, unsigned long window, int depth);
    void Release();
    // The rectangle, cut to the canvas; queued, sent with the connection's next flush.
    void Present(PX_Bitmap& canvas, const Bounds& rect);

private:
    Display* display_ = nullptr;
    unsigned long window_ = 0;
    int depth_ = 0;
    GC gc_ = nullptr;
};
