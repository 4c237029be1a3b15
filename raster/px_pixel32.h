// The 32-bit pixel word: blue in bits 0-7, green 8-15, red 16-23, alpha 24-31, straight colour.
#pragma once

#include <cstdint>

using PX_Pixel32 = uint32_t;

// alpha << 24 | red << 16 | green << 8 | blue
constexpr PX_Pixel32 PX_MakePixel(uint32_t alpha, uint32_t red, uint32_t green, uint32_t blue) {
    return (alpha & 0xFF) << 24 | (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
}
