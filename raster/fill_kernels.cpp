#include "raster/fill_kernels.h"

#include "raster/channel_math.h"
#include "raster/hsv_shift.h"

namespace {

using channel::Byte;

using ChannelOp = int (*)(int d, int s, int ia);

template <ChannelOp Op>
void UniformRow(PX_Pixel32* dest, int cols, PX_Pixel32 k, int ia) {
    const int sb = Byte(k, 0), sg = Byte(k, 8), sr = Byte(k, 16);
    for (int x = 0; x < cols; ++x) {
        const PX_Pixel32 d = dest[x];
        dest[x] = static_cast<PX_Pixel32>(Op(Byte(d, 0), sb, ia)) |
                  static_cast<PX_Pixel32>(Op(Byte(d, 8), sg, ia)) << 8 |
                  static_cast<PX_Pixel32>(Op(Byte(d, 16), sr, ia)) << 16 |
                  static_cast<PX_Pixel32>(Op(Byte(d, 24), ia, ia)) << 24;
    }
}

void SolidRow(PX_Pixel32* dest, int cols, PX_Pixel32 k, int /*ia*/) {
    for (int x = 0; x < cols; ++x) {
        dest[x] = k;
    }
}

// d = k/2 + d/2 per channel
void HalfRow(PX_Pixel32* dest, int cols, PX_Pixel32 k, int /*ia*/) {
    const PX_Pixel32 half = (k >> 1) & 0x7F7F7F7Fu;
    for (int x = 0; x < cols; ++x) {
        dest[x] = half + ((dest[x] >> 1) & 0x7F7F7F7Fu);
    }
}

// d = d/2 + k/4 + d/4 per channel
void QuarterRow(PX_Pixel32* dest, int cols, PX_Pixel32 k, int /*ia*/) {
    const PX_Pixel32 quarter = (k >> 2) & 0x3F3F3F3Fu;
    for (int x = 0; x < cols; ++x) {
        const PX_Pixel32 d = dest[x];
        dest[x] = ((d >> 1) & 0x7F7F7F7Fu) + quarter + ((d >> 2) & 0x3F3F3F3Fu);
    }
}

// d = k/4 + d/4 + k/2 per channel
void ThreeQuarterRow(PX_Pixel32* dest, int cols, PX_Pixel32 k, int /*ia*/) {
    const PX_Pixel32 fixed = ((k >> 2) & 0x3F3F3F3Fu) + ((k >> 1) & 0x7F7F7F7Fu);
    for (int x = 0; x < cols; ++x) {
        dest[x] = fixed + ((dest[x] >> 2) & 0x3F3F3F3Fu);
    }
}

// Mode 5 with the colour as source; the alpha byte becomes the low byte of ia.
void HsvRow(PX_Pixel32* dest, int cols, PX_Pixel32 k, int ia) {
    const PX_Pixel32 alpha = static_cast<PX_Pixel32>(ia & 0xFF) << 24;
    for (int x = 0; x < cols; ++x) {
        dest[x] = HsvShift(dest[x], Byte(k, 16), Byte(k, 8), Byte(k, 0), ia) | alpha;
    }
}

FillRowKernel SelectCopyKernel(int ia) {
    switch (ia) {
    case 256:
        return SolidRow;
    case 128:
        return HalfRow;
    case 64:
        return QuarterRow;
    case 192:
        return ThreeQuarterRow;
    default:
        return UniformRow<channel::Mix>;
    }
}

} // namespace

FillRowKernel SelectFillKernel(int mode, int ia) {
    switch (mode & 0xFF) {
    case 0:
        return SelectCopyKernel(ia);
    case 1:
        return UniformRow<channel::Add>;
    case 2:
        return UniformRow<channel::Dodge>;
    case 3:
        return UniformRow<channel::Multiply>;
    case 4:
        return UniformRow<channel::Overlay>;
    case 5:
        return HsvRow;
    default:
        return nullptr;
    }
}
