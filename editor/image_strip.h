// ImageStrip: an image seen as a strip of equal frames, stacked top to bottom or laid side by
// side. Its pixels are either an image of the process-wide cache, decoded when an editor first
// paints it (imageId), or a bitmap given directly (bitmap); neither belongs to the strip.
#pragma once

#include "editor/image_size.h"
#include "raster/px_bitmap.h"

#include <cstdint>

struct ImageStrip {
    PX_Bitmap* bitmap = nullptr; // given pixels; null for a cached image
    std::int32_t imageId = 0;    // the cached image, 0 for none
    std::int32_t scale = 100;    // the cached image's scale in percent (EditorScale)
    std::int32_t width = 0;      // of the whole image
    std::int32_t height = 0;
    std::int32_t frameCount = 1;
    bool sideBySide = false;

    // The strip of bitmap; a missing bitmap gives an empty strip (sizes 0) that paints nothing.
    // Frame counts below 1 count as 1.
    static ImageStrip Of(PX_Bitmap* bitmap, int frameCount, bool sideBySide) {
        ImageSize size;
        if (bitmap != nullptr) {
            size = ImageSize{bitmap->Width(), bitmap->Height()};
        }
        ImageStrip strip = Framed(size, frameCount, sideBySide);
        strip.bitmap = bitmap;
        return strip;
    }

    // The strip of the cached image id of that size, as its header gives it; an empty size (a
    // missing or unreadable image) gives an empty strip that paints nothing.
    static ImageStrip OfImage(int id, const ImageSize& size, int frameCount, bool sideBySide) {
        ImageStrip strip = Framed(size.IsEmpty() ? ImageSize{} : size, frameCount, sideBySide);
        strip.imageId = size.IsEmpty() ? 0 : id;
        return strip;
    }

private:
    static ImageStrip Framed(const ImageSize& size, int frameCount, bool sideBySide) {
        ImageStrip strip;
        strip.width = size.width;
        strip.height = size.height;
        strip.frameCount = frameCount < 1 ? 1 : frameCount;
        strip.sideBySide = sideBySide;
        return strip;
    }
};
