// ImageStrip: a loaded image seen as a strip of equal frames, stacked top to bottom or laid side
// by side. The bitmap belongs to the image cache, never to the strip.
#pragma once

#include "raster/px_bitmap.h"

#include <cstdint>

struct ImageStrip {
    PX_Bitmap* bitmap = nullptr;
    std::int32_t imageId = 0;        // the resource it came from (0: none), for its other scales
    const char* imageName = nullptr; // the resource's name, as it was loaded
    std::int32_t width = 0;          // of the whole image
    std::int32_t height = 0;
    std::int32_t frameCount = 1;
    bool sideBySide = false;

    // The strip of bitmap; a missing bitmap gives an empty strip (sizes 0) that paints nothing.
    // Frame counts below 1 count as 1.
    static ImageStrip Of(PX_Bitmap* bitmap, int frameCount, bool sideBySide) {
        ImageStrip strip;
        strip.bitmap = bitmap;
        strip.width = bitmap != nullptr ? bitmap->Width() : 0;
        strip.height = bitmap != nullptr ? bitmap->Height() : 0;
        strip.frameCount = frameCount < 1 ? 1 : frameCount;
        strip.sideBySide = sideBySide;
        return strip;
    }
};
