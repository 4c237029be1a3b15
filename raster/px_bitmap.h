// The abstract bitmap every drawing operation takes: a pixel pointer, a size and a row stride in
// pixels. Row y of a top-down bitmap starts y * RowStride() pixels after PixelData(); of a
// bottom-up one, (Height() - 1 - y) * RowStride() pixels after it.
#pragma once

#include "raster/px_pixel32.h"

#include <cstdint>

// A Win32 HDC where GDI exists, null elsewhere; kept opaque so this header needs no system header.
using PX_DeviceContext = void*;

class PX_Bitmap {
public:
    virtual ~PX_Bitmap() {}
    virtual PX_Pixel32* PixelData() = 0;
    virtual int Width() = 0;
    virtual int Height() = 0;
    virtual int RowStride() = 0;
    virtual bool IsBottomUp() { return false; }
    // True when the size (and usually the storage) changed; contents are undefined afterwards.
    virtual bool SetSize(int width, int height) = 0;
    virtual PX_DeviceContext DeviceContext() { return nullptr; }
    virtual intptr_t QueryExtension(int /*id*/, void* /*data*/) { return 0; }
    // Makes the pixels from (left, top) to (right, bottom) ready before anything reads them, for
    // a bitmap that makes its pixels on demand; nothing for the others.
    virtual void PrepareArea(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/) {}
};
