// One cached character of a PX_CachedFont: where its coverage mask lies and how far it moves on.
#pragma once

#include <cstdint>

struct PX_GlyphRecord {
    // 0 not rasterised yet, -1 nothing to draw, else 1 + the mask's byte offset in the store.
    int32_t offset;
    int32_t width;   // mask width in pixels
    int32_t height;  // mask height in pixels
    int32_t advance; // horizontal distance the system reports for the character
    int32_t code;    // character code, 0..0xFFFF
};
