// Rendering one character into the glyph cache: the system draws it white on black into the glyph
// scratch surface, its red bytes become the mask, and the font flags' effects are applied.
#include "raster/glyph_mask.h"
#include "raster/glyph_source.h"
#include "raster/px_cached_font.h"
#include "raster/px_fill_area.h"
#include "raster/px_smooth_area.h"
#include "raster/text_scratch.h"

#include <algorithm>

namespace {

// Taller fonts would need a scratch surface of several megabytes per side; they are not cached.
constexpr int TallestRasterizedLine = 1023;

// The drawn character's box inside the scratch surface.
struct GlyphBox {
    int advance;
    int width;
    int height;
};

// A scratch surface of at least s x s, s = max(line height, 1) * 2 + 8, or null.
PX_SysBitmap* ScratchFor(int lineHeight) {
    PX_SysBitmap* scratch = GlyphScratch();
    if (scratch == nullptr) {
        return nullptr;
    }
    const int side = std::max(lineHeight, 1) * 2 + 8;
    if (scratch->Width() < side || scratch->Height() < side) {
        scratch->SetSize(std::max(scratch->Width(), side), std::max(scratch->Height(), side));
        PrepareGlyphScratch(*scratch);
    }
    return scratch;
}

// Measures code, clears its box and draws it; the box leaves room on the right for overhangs.
GlyphBox DrawIntoScratch(PX_FontHandle font, int code, int lineHeight, PX_SysBitmap& scratch) {
    const GlyphExtent extent = MeasureGlyph(font, code, scratch);
    const int overhang = 2 + (lineHeight >= 16 ? lineHeight / 16 : 0);
    GlyphBox box{extent.advance, extent.advance + overhang, extent.height};
    PX_FillArea(&scratch, 0, 0, box.width, box.height, 0, 1.0f, PX_COMBINE_COPY);
    DrawGlyph(font, code, scratch);
    box.advance = std::min(box.advance, scratch.Width());
    box.width = std::min(box.width, scratch.Width());
    box.height = std::min(box.height, scratch.Height());
    return box;
}

void ApplyEffects(uint8_t* mask, int& width, int& height, int flags) {
    if ((flags & PX_TEXT_ROTATE) != 0) {
        RotateMask(mask, width, height, (flags & PX_TEXT_ROTATE_CCW) != 0);
    }
    if ((flags & (PX_TEXT_MONO | PX_TEXT_SHADOW | PX_TEXT_OUTLINE)) != 0) {
        ThresholdMask(mask, width, height);
    }
    if ((flags & PX_TEXT_SHADOW) != 0) {
        AddShadow(mask, width, height);
    } else if ((flags & PX_TEXT_OUTLINE) != 0) {
        AddOutline(mask, width, height);
    }
}

} // namespace

bool PX_CachedFont::RasterizeGlyph(int code) {
    if (lineHeight_ > TallestRasterizedLine) {
        return false;
    }
    // Valid to the end: only the mask store grows below, never the glyph list.
    PX_GlyphRecord* record = glyphs_.FindOrAdd(code, (flags_ & PX_TEXT_FIXED_SET) == 0);
    if (record == nullptr) {
        return false;
    }
    PX_SysBitmap* scratch = ScratchFor(lineHeight_);
    const GlyphBox box = scratch != nullptr ? DrawIntoScratch(font_, code, lineHeight_, *scratch)
                                            : GlyphBox{0, 0, 0};
    int32_t offset = 0;
    uint8_t* mask = nullptr;
    if (box.advance >= 1 && box.height >= 1) {
        if ((flags_ & PX_TEXT_BLUR) != 0) {
            PX_SmoothArea(scratch, scratch, box.width, box.height);
        }
        mask = glyphs_.AppendMask(int64_t{box.width} * box.height, offset);
    }
    if (mask == nullptr) {
        // An empty box or a store that cannot grow: nothing to draw, and not tried again.
        *record = PX_GlyphRecord{-1, 0, 0, 0, code};
        return true;
    }
    int width = TakeCoverage(*scratch, box.advance, box.width, box.height,
                             (flags_ & PX_TEXT_INVERT) != 0, mask);
    int height = box.height;
    if (width < box.width) {
        CompactMask(mask, box.width, width, height);
        glyphs_.TrimLastMask(offset, int64_t{width} * height);
    }
    ApplyEffects(mask, width, height, flags_);
    *record = PX_GlyphRecord{offset, width, height, box.advance, code};
    return true;
}
