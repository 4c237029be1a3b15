// Per-channel blend formulas. d and s are byte values 0..255 (a fill's alpha source may be 256);
// ia and w are integer weights 0..256. Division truncates toward zero, as C++ does.
#pragma once

#include "raster/px_pixel32.h"

#include <algorithm>

namespace channel {

inline int Byte(PX_Pixel32 p, int shift) {
    return static_cast<int>((p >> shift) & 0xFF);
}

inline int Clamp255(int v) {
    return std::min(255, std::max(0, v));
}

// Mix toward s: d = s + (d - s) * (256 - ia) / 256
inline int Mix(int d, int s, int ia) {
    return s + (d - s) * (256 - ia) / 256;
}

// Saturating add: d = clamp(d + ia * s / 256)
inline int Add(int d, int s, int ia) {
    return Clamp255(d + ia * s / 256);
}

// Colour dodge with a weighted source t: d / (1 - t)
inline int DodgeByT(int d, int t) {
    if (t > 254) {
        return std::min(255, d * 256);
    }
    return std::min(255, d * 256 / (256 - t));
}

inline int Dodge(int d, int s, int ia) {
    return DodgeByT(d, ia * s / 256);
}

// Multiply: d = (d * (ia * (s - 256) + 65536)) >> 16
inline int Multiply(int d, int s, int ia) {
    return (d * (ia * (s - 256) + 65536)) >> 16;
}

// Overlay: t = ia * s + (256 - ia) * 128; d = clamp(((32768 - t) * d / 256 + t) * d >> 15)
inline int Overlay(int d, int s, int ia) {
    const int t = ia * s + (256 - ia) * 128;
    return Clamp255((((32768 - t) * d / 256 + t) * d) >> 15);
}

} // namespace channel
