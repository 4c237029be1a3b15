// Copies a row of pixels between distinct bitmaps.
#pragma once

#include "raster/px_pixel32.h"

#include <cstring>
#include <emmintrin.h>

// Short rows (knob frames are a few hundred bytes) with inline 16-byte moves, where a library
// call per row would cost as much as the copy; the last four pixels are stored once more,
// overlapping, rather than looping over a tail. Long rows go to the library's copy, which uses
// the widest moves the processor has.
constexpr int kInlineCopyMaxPixels = 256;

inline void CopyRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols) {
    if (cols < 4 || cols > kInlineCopyMaxPixels) {
        std::memcpy(dest, src, static_cast<size_t>(cols) * sizeof(PX_Pixel32));
        return;
    }
    int x = 0;
    for (; x + 16 <= cols; x += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x + 4));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x + 8));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x + 12));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + x), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + x + 4), b);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + x + 8), c);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + x + 12), d);
    }
    for (; x + 4 <= cols; x += 4) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + x),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + x)));
    }
    if (x < cols) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dest + cols - 4),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + cols - 4)));
    }
}
