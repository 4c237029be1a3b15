// The glyph path: measuring and drawing text from cached masks. Positions are kept in 64 bits, so
// no text length or rectangle can make them wrap; results are saturated back to 32 bits.
#include "raster/px_cached_font.h"
#include "raster/px_fill_area.h"
#include "raster/utf8_reader.h"

#include <algorithm>

namespace {

constexpr int CarriageReturn = 0x0D;
constexpr int LineFeed = 0x0A;
constexpr int Space = 0x20;
constexpr int AlignmentFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;

int32_t Saturated(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// Calls onBreak for every line feed and onGlyph for every drawable glyph of the text, as both loops
// read it: carriage returns are dropped, with DT_SINGLELINE a line feed is a space, and glyphs with
// nothing to draw are skipped without moving on.
template <class ReadyGlyph, class OnBreak, class OnGlyph>
void WalkText(const char* text, int count, int flags, ReadyGlyph ready, OnBreak onBreak,
              OnGlyph onGlyph) {
    Utf8Reader reader(text, count);
    int code = 0;
    while (reader.Next(code)) {
        if (code == CarriageReturn) {
            continue;
        }
        if (code == LineFeed) {
            if ((flags & DT_SINGLELINE) == 0) {
                onBreak();
                continue;
            }
            code = Space;
        }
        const PX_GlyphRecord glyph = ready(code);
        if (glyph.offset > 0) {
            onGlyph(glyph);
        }
    }
}

} // namespace

PX_GlyphRecord PX_CachedFont::ReadyGlyph(int code) {
    const PX_GlyphRecord* glyph = glyphs_.Find(code);
    if (glyph == nullptr || glyph->offset == 0) {
        RasterizeGlyph(code);
        glyph = glyphs_.Find(code);
    }
    return glyph != nullptr ? *glyph : PX_GlyphRecord{-1, 0, 0, 0, code};
}

int PX_CachedFont::MeasureGlyphText(const char* text, int count, PX_Rect& rect, int flags) {
    const bool rotated = (flags_ & PX_TEXT_ROTATE) != 0;
    int64_t x = 0, y = 0, maxX = 0, maxY = 0;
    WalkText(
        text, count, flags, [this](int code) { return ReadyGlyph(code); },
        [&] {
            if (rotated) {
                x += lineHeight_;
                y = 0;
            } else {
                y += lineHeight_;
                x = 0;
            }
        },
        [&](const PX_GlyphRecord& glyph) {
            if (rotated) {
                maxX = std::max(maxX, x + glyph.width);
                maxY = std::max({maxY, y + glyph.advance, y + glyph.height});
                y += glyph.advance;
            } else {
                maxX = std::max({maxX, x + glyph.advance, x + glyph.width});
                maxY = std::max(maxY, y + glyph.height);
                x += glyph.advance;
            }
        });
    rect.right = Saturated(int64_t{rect.left} + maxX);
    rect.bottom = Saturated(int64_t{rect.top} + maxY);
    return Saturated(rotated ? maxX : maxY);
}

int PX_CachedFont::DrawGlyphText(PX_Bitmap& bitmap, const char* text, int count, PX_Rect& rect,
                                 int flags, bool noNative) {
    float alpha = alpha_;
    if ((flags & PX_RENDER_FOREGROUND_ALPHA) != 0) {
        alpha = static_cast<float>(alpha_ * ((foreground_ >> 24) / 255.0));
    }
    if (alpha == 0.0f) {
        return 0;
    }
    const bool rotated = (flags_ & PX_TEXT_ROTATE) != 0;
    const bool upwards = rotated && (flags_ & PX_TEXT_ROTATE_CCW) != 0;
    int64_t startX = rect.left, startY = rect.top;
    if ((flags & AlignmentFlags) != 0 || upwards) {
        PX_Rect extent{0, 0, 0, 0};
        RenderText(&bitmap, text, count, extent,
                   DT_CALCRECT | (flags & DT_SINGLELINE) | (noNative ? PX_RENDER_NO_NATIVE : 0));
        const int64_t width = extent.right, height = extent.bottom;
        if ((flags & DT_CENTER) != 0) {
            startX = rect.left + (int64_t{rect.right} - rect.left - width) / 2;
        } else if ((flags & DT_RIGHT) != 0) {
            startX = rect.right - width;
        }
        if ((flags & DT_VCENTER) != 0) {
            startY = rect.top + (int64_t{rect.bottom} - rect.top - height) / 2;
        } else if ((flags & DT_BOTTOM) != 0) {
            startY = rect.bottom - height;
        }
        if (upwards) {
            startY += height;
        }
    }
    PX_Rect clip{0, 0, bitmap.Width(), bitmap.Height()};
    if ((flags & DT_NOCLIP) == 0) {
        clip = PX_Rect{std::max(rect.left, 0), std::max(rect.top, 0),
                       std::min(rect.right, clip.right), std::min(rect.bottom, clip.bottom)};
    }
    if (clip.left >= clip.right || clip.top >= clip.bottom || bitmap.PixelData() == nullptr) {
        return 0;
    }
    const GlyphPaint paint = Paint(alpha);
    int64_t x = startX, y = startY, maxX = startX, maxY = startY;
    WalkText(
        text, count, flags, [this](int code) { return ReadyGlyph(code); },
        [&] {
            if (rotated) {
                x += lineHeight_;
                y = startY;
            } else {
                y += lineHeight_;
                x = startX;
            }
        },
        [&](const PX_GlyphRecord& glyph) {
            if (upwards) {
                y -= glyph.height;
            }
            const bool drawn = RenderGlyphAt(bitmap, glyph, x, y, clip, paint);
            if (!rotated) {
                x += glyph.advance;
                maxY = drawn ? std::max(maxY, y + glyph.height) : maxY;
            } else {
                y += upwards ? glyph.height - glyph.advance : glyph.advance;
                maxX = drawn ? std::max(maxX, x + glyph.width) : maxX;
            }
        });
    return Saturated(rotated ? maxX - startX : maxY - startY);
}

GlyphPaint PX_CachedFont::Paint(float alpha) const {
    GlyphMaskKind kind = GlyphMaskKind::Coverage;
    if ((flags_ & (PX_TEXT_SHADOW | PX_TEXT_OUTLINE)) != 0) {
        kind = GlyphMaskKind::TwoColour;
    } else if ((flags_ & PX_TEXT_MONO) != 0) {
        kind = GlyphMaskKind::Mono;
    }
    return GlyphPaint{foreground_, outline_, alpha, mode_, kind};
}

bool PX_CachedFont::RenderGlyph(PX_Bitmap* bitmap, uint16_t code, int x, int y,
                                const PX_Rect& clip) {
    const PX_GlyphRecord* glyph = glyphs_.Find(code);
    if (bitmap == nullptr || glyph == nullptr) {
        return false;
    }
    // The clip is the caller's: kept inside the bitmap so no pixel outside it is touched.
    const PX_Rect inside{std::max(clip.left, 0), std::max(clip.top, 0),
                         std::min(clip.right, bitmap->Width()),
                         std::min(clip.bottom, bitmap->Height())};
    return RenderGlyphAt(*bitmap, *glyph, x, y, inside, Paint(alpha_));
}

bool PX_CachedFont::RenderGlyphAt(PX_Bitmap& bitmap, const PX_GlyphRecord& glyph, int64_t x,
                                  int64_t y, const PX_Rect& clip, const GlyphPaint& paint) {
    const uint8_t* mask = glyphs_.Mask(glyph);
    if (mask == nullptr || bitmap.PixelData() == nullptr || x >= clip.right || y >= clip.bottom ||
        clip.left >= x + glyph.width || clip.top >= y + glyph.height) {
        return false;
    }
    const int64_t skipX = std::max<int64_t>(clip.left - x, 0);
    const int64_t skipY = std::max<int64_t>(clip.top - y, 0);
    x += skipX;
    y += skipY;
    const int64_t cols = std::min(glyph.width - skipX, clip.right - x);
    const int64_t rows = std::min(glyph.height - skipY, clip.bottom - y);
    if (cols <= 0 || rows <= 0) {
        return false;
    }
    // Inside the clip, hence inside the bitmap: every value below fits 32 bits.
    const int left = static_cast<int>(x), top = static_cast<int>(y);
    if (backgroundMode_ == PX_BACKGROUND_OPAQUE) {
        PX_FillArea(&bitmap, left, top, static_cast<int>(cols), static_cast<int>(rows), background_,
                    paint.alpha, paint.mode & ~PX_COMBINE_SOURCE_ALPHA);
    }
    CombineGlyphMask(bitmap, left, top, mask + skipY * glyph.width + skipX, glyph.width,
                     static_cast<int>(cols), static_cast<int>(rows), paint);
    return true;
}
