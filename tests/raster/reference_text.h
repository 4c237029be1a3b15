// Glyph drawing written plainly from the combine formulas, pixel by pixel, over the glyph records
// and masks a font reports: the oracle the font's own drawing is compared with.
#pragma once

#include "raster/px_cached_font.h"
#include "raster/px_rect.h"
#include "test_bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

enum class MaskKind { Coverage, Mono, TwoColour };

struct TextPaint {
    uint32_t foreground = 0xFF000000u;
    uint32_t outline = 0xFFFFFFFFu;
    uint32_t background = 0xFFFFFFFFu;
    bool opaque = false; // the glyph's visible cell is filled with the background first
    float alpha = 1.0f;
    int mode = 0;
    MaskKind kind = MaskKind::Coverage;
};

// A font on the system's "Verdana" (or what stands in for it) at the given size, owning its
// system font; null when none can be made.
std::unique_ptr<PX_CachedFont> MakeTestFont(int flags = 0, int size = 12);

// One destination pixel under the mask byte v (not 0).
uint32_t ReferenceGlyphPixel(uint32_t d, int v, const TextPaint& paint);

// Draws the glyphs of codes side by side from (x, y), cut to clip, with the records and masks the
// font reports; a code without a rasterised glyph fails the test.
void ReferenceDrawCodes(TestBitmap& bitmap, PX_CachedFont& font, const std::vector<int>& codes,
                        int x, int y, const PX_Rect& clip, const TextPaint& paint);

// What measuring codes on one line gives: the furthest advance or mask edge, the tallest mask.
struct TextExtent {
    int width;
    int height;
};
TextExtent ReferenceExtent(PX_CachedFont& font, const std::vector<int>& codes);
