#include "raster/glyph_combine.h"

#include "raster/bitmap_rows.h"
#include "raster/blend_weight.h"
#include "raster/pixel_blend.h"
#include "raster/px_combine.h"

#include <algorithm>

namespace {

using PixelBlend = PX_Pixel32 (*)(PX_Pixel32 d, PX_Pixel32 s, int weight);

constexpr PX_Pixel32 Opaque = 0xFF000000u;
constexpr uint8_t Full = 255;

// The source colour and weight of one mask byte v, for each kind of mask.
struct CoverageWeights {
    PX_Pixel32 colour;
    int ia;
    PX_Pixel32 Colour(int) const { return colour; }
    int Weight(int v) const { return ia == 256 ? v + 1 : std::min(ia * v / 256, 256); }
};

struct MonoWeights {
    PX_Pixel32 colour;
    int ia;
    PX_Pixel32 Colour(int) const { return colour; }
    int Weight(int) const { return ia; }
};

struct TwoColourWeights {
    PX_Pixel32 foreground;
    PX_Pixel32 outline;
    int ia;
    PX_Pixel32 Colour(int v) const { return v == Full ? foreground : outline; }
    int Weight(int) const { return ia; }
};

template <PixelBlend Blend, class Weights>
void CombineRows(const BitmapRows& dest, int x, int y, const uint8_t* mask, int maskStride,
                 int cols, int rows, Weights weights) {
    for (int r = 0; r < rows; ++r) {
        PX_Pixel32* d = dest.Row(y + r) + x;
        const uint8_t* m = mask + static_cast<ptrdiff_t>(r) * maskStride;
        // Computed for every byte and kept only where covered: no branch, so the loop vectorises.
        for (int c = 0; c < cols; ++c) {
            const int v = m[c];
            const PX_Pixel32 blended = Blend(d[c], weights.Colour(v), weights.Weight(v));
            d[c] = v != 0 ? blended : d[c];
        }
    }
}

// Mono and two-colour masks at alpha 1.0 in copy mode: covered pixels take the colour word.
void WriteWords(const BitmapRows& dest, int x, int y, const uint8_t* mask, int maskStride, int cols,
                int rows, PX_Pixel32 foreground, PX_Pixel32 outline) {
    for (int r = 0; r < rows; ++r) {
        PX_Pixel32* d = dest.Row(y + r) + x;
        const uint8_t* m = mask + static_cast<ptrdiff_t>(r) * maskStride;
        for (int c = 0; c < cols; ++c) {
            if (m[c] != 0) {
                d[c] = m[c] == Full ? foreground : outline;
            }
        }
    }
}

template <PixelBlend Blend>
void CombineKind(const BitmapRows& dest, int x, int y, const uint8_t* mask, int maskStride,
                 int cols, int rows, const GlyphPaint& paint, int ia) {
    const PX_Pixel32 foreground = paint.foreground | Opaque;
    switch (paint.kind) {
    case GlyphMaskKind::Coverage:
        CombineRows<Blend>(dest, x, y, mask, maskStride, cols, rows,
                           CoverageWeights{foreground, ia});
        break;
    case GlyphMaskKind::Mono:
        CombineRows<Blend>(dest, x, y, mask, maskStride, cols, rows, MonoWeights{foreground, ia});
        break;
    case GlyphMaskKind::TwoColour:
        CombineRows<Blend>(dest, x, y, mask, maskStride, cols, rows,
                           TwoColourWeights{foreground, paint.outline | Opaque, ia});
        break;
    }
}

} // namespace

void CombineGlyphMask(PX_Bitmap& dest, int x, int y, const uint8_t* mask, int maskStride, int cols,
                      int rows, const GlyphPaint& paint) {
    const int mode = paint.mode & PX_COMBINE_MODE_MASK;
    const BitmapRows destRows(dest);
    if (paint.kind != GlyphMaskKind::Coverage && mode == PX_COMBINE_COPY && paint.alpha == 1.0f) {
        WriteWords(destRows, x, y, mask, maskStride, cols, rows, paint.foreground, paint.outline);
        return;
    }
    const int ia = BlendWeight(paint.alpha);
    if (ia == 0) {
        return;
    }
    switch (mode) {
    case PX_COMBINE_COPY:
        CombineKind<pixel::Uniform<channel::Mix>>(destRows, x, y, mask, maskStride, cols, rows,
                                                  paint, ia);
        break;
    case PX_COMBINE_ADD:
        CombineKind<pixel::Uniform<channel::Add>>(destRows, x, y, mask, maskStride, cols, rows,
                                                  paint, ia);
        break;
    case PX_COMBINE_DODGE:
        CombineKind<pixel::Uniform<channel::Dodge>>(destRows, x, y, mask, maskStride, cols, rows,
                                                    paint, ia);
        break;
    case PX_COMBINE_MULTIPLY:
        CombineKind<pixel::Uniform<channel::Multiply>>(destRows, x, y, mask, maskStride, cols, rows,
                                                       paint, ia);
        break;
    case PX_COMBINE_OVERLAY:
        CombineKind<pixel::Uniform<channel::Overlay>>(destRows, x, y, mask, maskStride, cols, rows,
                                                      paint, ia);
        break;
    case PX_COMBINE_HSV_ADJUST:
        CombineKind<pixel::HsvBlend>(destRows, x, y, mask, maskStride, cols, rows, paint, ia);
        break;
    default:
        break;
    }
}
