// Glyphs from FreeType: each character is rendered to a coverage bitmap (one bit per pixel for
// non-antialiased fonts) and written as grey levels on black into the scratch surface, its origin
// on the baseline at the cell's ascent, where GDI puts it.
#include "raster/bitmap_rows.h"
#include "raster/glyph_source.h"
#include "raster/posix/freetype_font.h"

#include <algorithm>

namespace {

bool LoadGlyph(FreeTypeFont& font, int code, FT_Int32 extraFlags) {
    return font.ftFace != nullptr &&
           FT_Load_Char(font.ftFace, static_cast<FT_ULong>(code), font.loadFlags | extraFlags) == 0;
}

// Coverage of one pixel of a rendered glyph, for its two pixel layouts.
int Coverage(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
        return (row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
    }
    return row[x];
}

// Row y of a rendered glyph, counted from the top whichever way its rows run in memory.
const unsigned char* BitmapRow(const FT_Bitmap& bitmap, unsigned y) {
    if (bitmap.pitch >= 0) {
        return bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    }
    return bitmap.buffer + static_cast<ptrdiff_t>(bitmap.rows - 1 - y) * -bitmap.pitch;
}

} // namespace

void PrepareGlyphScratch(PX_SysBitmap& /*scratch*/) {
    // Nothing to set up: glyphs are written into the memory as grey levels directly.
}

int MeasureLineHeight(PX_FontHandle font, PX_SysBitmap& /*scratch*/) {
    return font != nullptr ? AsFreeTypeFont(font)->lineHeight : 0;
}

GlyphExtent MeasureGlyph(PX_FontHandle handle, int code, PX_SysBitmap& /*scratch*/) {
    FreeTypeFont* font = AsFreeTypeFont(handle);
    if (font == nullptr) {
        return GlyphExtent{0, 0};
    }
    if (!LoadGlyph(*font, code, FT_LOAD_DEFAULT)) {
        return GlyphExtent{0, font->lineHeight};
    }
    const FT_Pos advance = (font->ftFace->glyph->advance.x + 32) >> 6;
    return GlyphExtent{static_cast<int>(std::clamp<FT_Pos>(advance, 0, INT32_MAX)),
                       font->lineHeight};
}

void DrawGlyph(PX_FontHandle handle, int code, PX_SysBitmap& scratch) {
    FreeTypeFont* font = AsFreeTypeFont(handle);
    if (font == nullptr || scratch.PixelData() == nullptr ||
        !LoadGlyph(*font, code, FT_LOAD_RENDER)) {
        return;
    }
    const FT_GlyphSlot slot = font->ftFace->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.buffer == nullptr ||
        (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.pixel_mode != FT_PIXEL_MODE_MONO)) {
        return;
    }
    const int64_t left = slot->bitmap_left;
    const int64_t top = int64_t{font->ascent} - slot->bitmap_top;
    const BitmapRows rows(scratch);
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const int64_t ty = top + y;
        if (ty < 0 || ty >= scratch.Height()) {
            continue;
        }
        const unsigned char* source = BitmapRow(bitmap, y);
        PX_Pixel32* target = rows.Row(ty);
        for (unsigned x = 0; x < bitmap.width; ++x) {
            const int64_t tx = left + x;
            if (tx >= 0 && tx < scratch.Width()) {
                target[tx] = 0x010101u * static_cast<PX_Pixel32>(Coverage(bitmap, source, x));
            }
        }
    }
}
