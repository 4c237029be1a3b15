// Argb: a colour as alpha, red, green and blue, each 0..255.
#pragma once

#include "raster/px_pixel32.h"

#include <cstdint>

struct Argb {
    std::int32_t alpha = 255;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;

    // The raster library's word: alpha << 24 | red << 16 | green << 8 | blue.
    PX_Pixel32 Packed() const {
        return PX_MakePixel(static_cast<std::uint32_t>(alpha), static_cast<std::uint32_t>(red),
                            static_cast<std::uint32_t>(green), static_cast<std::uint32_t>(blue));
    }
};
