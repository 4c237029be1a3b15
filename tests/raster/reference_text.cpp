#include "reference_text.h"

#include "reference_raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

int Channel(uint32_t p, int i) {
    return int((p >> (8 * i)) & 0xFF);
}

int Clamp(int v) {
    return std::min(255, std::max(0, v));
}

const PX_GlyphRecord* Rasterised(PX_CachedFont& font, int code) {
    const PX_GlyphRecord* glyph = font.FindGlyph(code);
    if (glyph == nullptr || glyph->offset == 0) {
        ADD_FAILURE() << "no rasterised glyph for code " << code;
        return nullptr;
    }
    return glyph;
}

} // namespace

std::unique_ptr<PX_CachedFont> MakeTestFont(int flags, int size) {
    PX_FontRequest request{};
    std::strcpy(request.face, "Verdana");
    request.height = size;
    request.weight = 400;
    PX_FontHandle handle = PX_CreateSystemFont(request);
    if (handle == nullptr) {
        return nullptr;
    }
    auto font = std::make_unique<PX_CachedFont>();
    font->AttachFont(handle, flags | PX_TEXT_OWNS_FONT);
    return font;
}

uint32_t ReferenceGlyphPixel(uint32_t d, int v, const TextPaint& paint) {
    const bool twoColour = paint.kind == MaskKind::TwoColour;
    const uint32_t colour = twoColour && v != 255 ? paint.outline : paint.foreground;
    const int mode = paint.mode & 0xFF;
    if (paint.kind != MaskKind::Coverage && paint.alpha == 1.0f && mode == 0) {
        return colour;
    }
    const int ia = std::min(256, int(std::trunc(double(paint.alpha) * 256.0)));
    if (ia <= 0) {
        return d;
    }
    int w = ia;
    int k = 256 - ia;
    if (paint.kind == MaskKind::Coverage) {
        w = ia == 256 ? v + 1 : std::min(ia * v / 256, 256);
        k = ia == 256 ? 255 - v : 256 - w;
    }
    int out[4];
    for (int i = 0; i < 3; ++i) {
        const int f = Channel(colour, i);
        const int dc = Channel(d, i);
        if (mode == 0) {
            out[i] = f + (dc - f) * k / 256;
        } else if (mode == 1) {
            out[i] = Clamp(dc + f * w / 256);
        }
    }
    const int da = Channel(d, 3);
    if (mode == 0) {
        out[3] = 255 - (255 - da) * k / 256;
    } else if (mode == 1) {
        out[3] = Clamp(da + w * 255 / 256);
    } else {
        // The other modes are the blit's, with the colour as an opaque source at weight w.
        return ReferenceBlitPixel(d, colour | 0xFF000000u, float(w) / 256.0f, mode);
    }
    return uint32_t(out[0]) | uint32_t(out[1]) << 8 | uint32_t(out[2]) << 16 |
           uint32_t(out[3]) << 24;
}

void ReferenceDrawCodes(TestBitmap& bitmap, PX_CachedFont& font, const std::vector<int>& codes,
                        int x, int y, const PX_Rect& clip, const TextPaint& paint) {
    for (int code : codes) {
        const PX_GlyphRecord* glyph = Rasterised(font, code);
        if (glyph == nullptr || glyph->offset < 0) {
            continue;
        }
        const uint8_t* mask = font.GlyphMask(*glyph);
        ASSERT_NE(mask, nullptr);
        const int ia = int(std::trunc(double(paint.alpha) * 256.0));
        for (int my = 0; my < glyph->height; ++my) {
            for (int mx = 0; mx < glyph->width; ++mx) {
                const int px = x + mx, py = y + my;
                if (px < std::max(clip.left, 0) || py < std::max(clip.top, 0) ||
                    px >= std::min(clip.right, bitmap.Width()) ||
                    py >= std::min(clip.bottom, bitmap.Height())) {
                    continue;
                }
                uint32_t& d = bitmap.At(px, py);
                if (paint.opaque) {
                    d = ReferenceFillPixel(d, paint.background, ia, paint.mode & 0xFF);
                }
                if (mask[my * glyph->width + mx] != 0) {
                    d = ReferenceGlyphPixel(d, mask[my * glyph->width + mx], paint);
                }
            }
        }
        x += glyph->advance;
    }
}

TextExtent ReferenceExtent(PX_CachedFont& font, const std::vector<int>& codes) {
    TextExtent extent{0, 0};
    int x = 0;
    for (int code : codes) {
        const PX_GlyphRecord* glyph = Rasterised(font, code);
        if (glyph == nullptr || glyph->offset < 0) {
            continue;
        }
        extent.width = std::max({extent.width, x + glyph->advance, x + glyph->width});
        extent.height = std::max(extent.height, glyph->height);
        x += glyph->advance;
    }
    return extent;
}
