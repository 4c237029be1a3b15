// Whole-pixel forms of the channel formulas: one source pixel combined into one destination pixel
// at an integer weight. Shared by the blit kernels and the glyph combiner so both draw alike.
#pragma once

#include "raster/channel_math.h"
#include "raster/hsv_shift.h"
#include "raster/px_pixel32.h"

namespace pixel {

inline PX_Pixel32 Pack(int b, int g, int r, int a) {
    return static_cast<PX_Pixel32>(b) | static_cast<PX_Pixel32>(g) << 8 |
           static_cast<PX_Pixel32>(r) << 16 | static_cast<PX_Pixel32>(a) << 24;
}

using ChannelOp = int (*)(int d, int s, int ia);

// The same channel formula on all four bytes, weighted by ia.
template <ChannelOp Op>
inline PX_Pixel32 Uniform(PX_Pixel32 d, PX_Pixel32 s, int ia) {
    using channel::Byte;
    return Pack(Op(Byte(d, 0), Byte(s, 0), ia), Op(Byte(d, 8), Byte(s, 8), ia),
                Op(Byte(d, 16), Byte(s, 16), ia), Op(Byte(d, 24), Byte(s, 24), ia));
}

// Mode 5: hue, saturation and value of d shifted by the source; alpha becomes the source's.
inline PX_Pixel32 HsvBlend(PX_Pixel32 d, PX_Pixel32 s, int ia) {
    using channel::Byte;
    return HsvShift(d, Byte(s, 16), Byte(s, 8), Byte(s, 0), ia) | (s & 0xFF000000u);
}

} // namespace pixel
