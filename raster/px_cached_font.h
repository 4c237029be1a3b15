// PX_CachedFont: text drawn either by the system (GDI, where it exists and nothing asks for more)
// or through the glyph path: each character rendered once by the system into an 8-bit coverage
// mask, kept in a cache, and combined into the bitmap with the font's own colour, alpha and
// combine mode. UI thread: fonts, their scratch surfaces and the Wine test are shared process-wide
// and used by one thread at a time.
#pragma once

#include "raster/glyph_combine.h"
#include "raster/glyph_store.h"
#include "raster/px_font.h"
#include "raster/px_glyph_record.h"

#include <cstdint>

class PX_CachedFont : public PX_Font {
public:
    PX_CachedFont();
    ~PX_CachedFont() override;
    PX_CachedFont(const PX_CachedFont&) = delete;
    PX_CachedFont& operator=(const PX_CachedFont&) = delete;

    void AttachFont(PX_FontHandle font, int flags) override;
    PX_Pixel32 SetForeground(PX_Pixel32 colour) override;
    PX_Pixel32 SetBackground(PX_Pixel32 colour) override;
    PX_Pixel32 SetOutlineColour(PX_Pixel32 colour) override;
    int SetBackgroundMode(int mode) override;
    void SetBlend(int mode, float alpha) override;
    int RenderText(PX_Bitmap* bitmap, const char* text, int count, PX_Rect& rect,
                   int flags) override;
    PX_Pixel32 Foreground() override { return foreground_; }
    PX_FontHandle FontHandle() override { return font_; }
    int LineHeight() override { return lineHeight_; }

    // Combines the cached mask of code into bitmap with its top-left corner at (x, y), cut to clip
    // (and to the bitmap). True when something may have been drawn.
    virtual bool RenderGlyph(PX_Bitmap* bitmap, uint16_t code, int x, int y, const PX_Rect& clip);

    // The glyph of code as cached so far: codes below 128 always have a record (offset 0 until
    // rasterised), others only once met. Valid until the next glyph is rasterised.
    const PX_GlyphRecord* FindGlyph(int code) const { return glyphs_.Find(code); }
    // The glyph's coverage mask (width x height bytes, row by row), or null when it has none.
    const uint8_t* GlyphMask(const PX_GlyphRecord& glyph) const { return glyphs_.Mask(glyph); }

private:
    // Renders code into its record; false only when the font is too tall or the set is fixed.
    bool RasterizeGlyph(int code);
    // The record of code, rasterised first when it never was; a copy, since rasterising moves
    // records. Offset not positive: nothing to draw.
    PX_GlyphRecord ReadyGlyph(int code);

    bool UsesNativePath(PX_Bitmap* bitmap, int flags, bool noNative);
    int MeasureGlyphText(const char* text, int count, PX_Rect& rect, int flags);
    int DrawGlyphText(PX_Bitmap& bitmap, const char* text, int count, PX_Rect& rect, int flags,
                      bool noNative);
    // RenderGlyph in wide coordinates, with clip inside the bitmap.
    bool RenderGlyphAt(PX_Bitmap& bitmap, const PX_GlyphRecord& glyph, int64_t x, int64_t y,
                       const PX_Rect& clip, const GlyphPaint& paint);
    GlyphPaint Paint(float alpha) const;

    PX_Pixel32 foreground_ = 0;
    PX_Pixel32 background_ = 0xFFFFFFFFu;
    PX_Pixel32 outline_ = 0xFFFFFFFFu;
    int backgroundMode_ = PX_BACKGROUND_TRANSPARENT;
    int mode_ = 0;
    float alpha_ = 1.0f;
    int flags_ = 0;
    int lineHeight_ = 0;
    GlyphStore glyphs_;
    PX_FontHandle font_ = nullptr;
};
