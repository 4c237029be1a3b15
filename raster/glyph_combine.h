// Combining a glyph's coverage mask into a bitmap with the font's colours, alpha and combine mode.
#pragma once

#include "raster/px_bitmap.h"

#include <cstdint>

// How mask bytes are read: as coverage (the weight follows the byte), as on/off (mono), or as
// on/off in two colours (shadow and outline masks: 255 foreground, 128 outline colour).
enum class GlyphMaskKind { Coverage, Mono, TwoColour };

struct GlyphPaint {
    PX_Pixel32 foreground;
    PX_Pixel32 outline;
    float alpha;
    int mode; // PX_COMBINE_*; only the low byte counts, modes beyond the HSV shift draw nothing
    GlyphMaskKind kind;
};

// Combines cols x rows mask bytes (rows maskStride apart) into dest at (x, y), which the caller
// has clipped to dest. Only covered bytes (not 0) touch their pixel. With the source pixel
// F = (paint colour, alpha 255) and ia = trunc(alpha * 256):
//   coverage masks: w = ia == 256 ? v + 1 : min(ia * v / 256, 256); ia 0 draws nothing;
//   mono and two-colour masks: w = ia, except that alpha exactly 1.0 in copy mode writes the
//   colour word as it is (its alpha byte too);
// and then, per mode, the blit formula of that mode with F at weight w:
//   copy      d = F + (d - F) * (256 - w) / 256, alpha d.A = 255 - (255 - d.A) * (256 - w) / 256
//   add       d = clamp(d + F * w / 256),        alpha clamp(d.A + w * 255 / 256)
//   dodge, multiply, overlay, HSV shift as the blit's modes 2 to 5.
void CombineGlyphMask(PX_Bitmap& dest, int x, int y, const uint8_t* mask, int maskStride, int cols,
                      int rows, const GlyphPaint& paint);
