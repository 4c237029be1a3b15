// The font's state, the glyph cache's life, and the choice between the system's drawing and the
// glyph path.
#include "raster/px_cached_font.h"

#include "raster/glyph_source.h"
#include "raster/native_text.h"
#include "raster/text_scratch.h"

namespace {

// Every flag that asks for more than the system draws: effects, rotation, the fixed set.
constexpr int GlyphOnlyFontFlags = 0x1F7;
// A bitmap answering this extension with anything but 0 never lets the system draw into it.
constexpr int NoNativeExtension = 0x59555678;
// Fonts this tall are drawn by the system, where it can, rather than cached.
constexpr int TallestCachedLine = 255;
constexpr int GlyphScratchSide = 256;

} // namespace

PX_CachedFont::PX_CachedFont() {
    TextFontCreated();
}

PX_CachedFont::~PX_CachedFont() {
    if ((flags_ & PX_TEXT_OWNS_FONT) != 0) {
        PX_DeleteSystemFont(font_);
    }
    TextFontDestroyed();
}

PX_Pixel32 PX_CachedFont::SetForeground(PX_Pixel32 colour) {
    const PX_Pixel32 previous = foreground_;
    foreground_ = colour;
    return previous;
}

PX_Pixel32 PX_CachedFont::SetBackground(PX_Pixel32 colour) {
    const PX_Pixel32 previous = background_;
    background_ = colour;
    return previous;
}

PX_Pixel32 PX_CachedFont::SetOutlineColour(PX_Pixel32 colour) {
    const PX_Pixel32 previous = outline_;
    outline_ = colour;
    return previous;
}

int PX_CachedFont::SetBackgroundMode(int mode) {
    const int previous = backgroundMode_;
    backgroundMode_ = mode;
    return previous;
}

void PX_CachedFont::SetBlend(int mode, float alpha) {
    mode_ = mode;
    alpha_ = alpha;
}

void PX_CachedFont::AttachFont(PX_FontHandle font, int flags) {
    if ((flags_ & PX_TEXT_OWNS_FONT) != 0 && font_ != nullptr && font_ != font) {
        PX_DeleteSystemFont(font_);
    }
    flags_ = flags;
    font_ = font;
    if (font != nullptr) {
        lineHeight_ = 0;
        if (PX_SysBitmap* scratch = GlyphScratch()) {
            if (scratch->Width() < GlyphScratchSide || scratch->Height() < GlyphScratchSide) {
                scratch->SetSize(GlyphScratchSide, GlyphScratchSide);
                PrepareGlyphScratch(*scratch);
            }
            lineHeight_ = MeasureLineHeight(font, *scratch);
        }
    }
    glyphs_.Clear();
    if ((flags & PX_TEXT_FIXED_SET) != 0) {
        for (int code = 0; code < 128; ++code) {
            RasterizeGlyph(code);
        }
    }
}

bool PX_CachedFont::UsesNativePath(PX_Bitmap* bitmap, int flags, bool noNative) {
    if (!NativeTextExists() || font_ == nullptr) {
        return false;
    }
    if (bitmap != nullptr && bitmap->QueryExtension(NoNativeExtension, nullptr) != 0) {
        return false;
    }
    if (lineHeight_ > TallestCachedLine) {
        return true;
    }
    return (flags_ & PX_TEXT_NATIVE) != 0 && !noNative &&
           (flags & PX_RENDER_FOREGROUND_ALPHA) == 0 && (flags_ & GlyphOnlyFontFlags) == 0 &&
           NativeTextPreferred();
}

int PX_CachedFont::RenderText(PX_Bitmap* bitmap, const char* text, int count, PX_Rect& rect,
                              int flags) {
    if (bitmap == nullptr && (flags & DT_CALCRECT) == 0) {
        return 0;
    }
    const bool noNative = (flags & PX_RENDER_NO_NATIVE) != 0;
    flags &= ~PX_RENDER_NO_NATIVE;
    if (text == nullptr) {
        text = "";
    }
    if (UsesNativePath(bitmap, flags, noNative)) {
        const NativeTextStyle style{font_, foreground_, background_, backgroundMode_, alpha_};
        return DrawNativeText(style, bitmap, text, count, rect, flags);
    }
    if ((flags & DT_CALCRECT) != 0) {
        return MeasureGlyphText(text, count, rect, flags);
    }
    return DrawGlyphText(*bitmap, text, count, rect, flags, noNative);
}
