#include "raster/blit_kernels.h"

#include "raster/channel_math.h"
#include "raster/pixel_blend.h"

namespace {

using channel::Byte;

using pixel::Pack;

// The same formula on all four channels, weighted by the call's ia.
template <pixel::ChannelOp Op>
void UniformRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia) {
    for (int x = 0; x < cols; ++x) {
        dest[x] = pixel::Uniform<Op>(dest[x], src[x], ia);
    }
}

void CopyRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int /*ia*/) {
    for (int x = 0; x < cols; ++x) {
        dest[x] = src[x];
    }
}

// Mode 5: hue, saturation and value of d shifted by the source; alpha becomes the source's.
void HsvRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia) {
    for (int x = 0; x < cols; ++x) {
        dest[x] = pixel::HsvBlend(dest[x], src[x], ia);
    }
}

// w = trunc(ia * (sa + 1) / 256): the source alpha scaled by the call's weight.
inline int SourceWeight(int ia, int sa) {
    return ia * (sa + 1) / 256;
}

// sa 0 keeps d; otherwise A = min(255, d.A + w), B, G, R: d = s + (d - s) * (256 - w) / 256.
void SourceAlphaMixRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia) {
    for (int x = 0; x < cols; ++x) {
        const PX_Pixel32 s = src[x];
        const int sa = Byte(s, 24);
        if (sa == 0) {
            continue;
        }
        const int w = SourceWeight(ia, sa);
        const PX_Pixel32 d = dest[x];
        dest[x] =
            Pack(channel::Mix(Byte(d, 0), Byte(s, 0), w), channel::Mix(Byte(d, 8), Byte(s, 8), w),
                 channel::Mix(Byte(d, 16), Byte(s, 16), w), std::min(255, Byte(d, 24) + w));
    }
}

// sa 0 keeps d; B, G, R: d = clamp(d + w * s / 256); A: d = clamp(d + sa * w / 256).
void SourceAlphaAddRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia) {
    for (int x = 0; x < cols; ++x) {
        const PX_Pixel32 s = src[x];
        const int sa = Byte(s, 24);
        if (sa == 0) {
            continue;
        }
        const int w = SourceWeight(ia, sa);
        const PX_Pixel32 d = dest[x];
        dest[x] =
            Pack(channel::Add(Byte(d, 0), Byte(s, 0), w), channel::Add(Byte(d, 8), Byte(s, 8), w),
                 channel::Add(Byte(d, 16), Byte(s, 16), w), channel::Add(Byte(d, 24), sa, w));
    }
}

// No skip for sa 0: B, G, R dodge by t = w * s / 256, A by t = sa * w / 256.
void SourceAlphaDodgeRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia) {
    for (int x = 0; x < cols; ++x) {
        const PX_Pixel32 s = src[x];
        const int sa = Byte(s, 24);
        const int w = SourceWeight(ia, sa);
        const PX_Pixel32 d = dest[x];
        dest[x] = Pack(
            channel::Dodge(Byte(d, 0), Byte(s, 0), w), channel::Dodge(Byte(d, 8), Byte(s, 8), w),
            channel::Dodge(Byte(d, 16), Byte(s, 16), w), channel::Dodge(Byte(d, 24), sa, w));
    }
}

// sa 0 keeps d; d = (d * (w * s + (256 - w) * 256)) >> 16, with sa as s for alpha.
void SourceAlphaMultiplyRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia) {
    for (int x = 0; x < cols; ++x) {
        const PX_Pixel32 s = src[x];
        const int sa = Byte(s, 24);
        if (sa == 0) {
            continue;
        }
        const int w = SourceWeight(ia, sa);
        const PX_Pixel32 d = dest[x];
        dest[x] = Pack(channel::Multiply(Byte(d, 0), Byte(s, 0), w),
                       channel::Multiply(Byte(d, 8), Byte(s, 8), w),
                       channel::Multiply(Byte(d, 16), Byte(s, 16), w),
                       channel::Multiply(Byte(d, 24), sa, w));
    }
}

// Overlay of all four channels with the weight w.
void SourceAlphaOverlayRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia) {
    for (int x = 0; x < cols; ++x) {
        const PX_Pixel32 s = src[x];
        const int w = SourceWeight(ia, Byte(s, 24));
        const PX_Pixel32 d = dest[x];
        dest[x] = Pack(channel::Overlay(Byte(d, 0), Byte(s, 0), w),
                       channel::Overlay(Byte(d, 8), Byte(s, 8), w),
                       channel::Overlay(Byte(d, 16), Byte(s, 16), w),
                       channel::Overlay(Byte(d, 24), Byte(s, 24), w));
    }
}

// The hue, saturation and value shift with the weight w.
void SourceAlphaHsvRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia) {
    for (int x = 0; x < cols; ++x) {
        dest[x] = pixel::HsvBlend(dest[x], src[x], SourceWeight(ia, Byte(src[x], 24)));
    }
}

} // namespace

BlitRowKernel SelectBlitKernel(int mode, int ia) {
    switch (mode & 0x100FF) {
    case 0:
        return ia == 256 ? CopyRow : UniformRow<channel::Mix>;
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
    case 0x10000:
        return ia == 256 ? SourceAlphaFullRow : SourceAlphaMixRow;
    case 0x10001:
        return SourceAlphaAddRow;
    case 0x10002:
        return SourceAlphaDodgeRow;
    case 0x10003:
        return SourceAlphaMultiplyRow;
    case 0x10004:
        return SourceAlphaOverlayRow;
    case 0x10005:
        return SourceAlphaHsvRow;
    default:
        return nullptr;
    }
}

void ChannelCopyRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int sourceChannel,
                    int destChannel) {
    const int from = 8 * sourceChannel;
    const int to = 8 * destChannel;
    const PX_Pixel32 keep = ~(PX_Pixel32{0xFF} << to);
    for (int x = 0; x < cols; ++x) {
        dest[x] = (dest[x] & keep) | ((src[x] >> from) & 0xFF) << to;
    }
}

void HalfMixRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols) {
    for (int x = 0; x < cols; ++x) {
        dest[x] = ((src[x] >> 1) & 0x7F7F7F7Fu) + ((dest[x] >> 1) & 0x7F7F7F7Fu);
    }
}
