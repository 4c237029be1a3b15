// Text through the process-wide font cache: drawing into the canvas and measuring. UI thread.
#include "editor/font_cache.h"
#include "editor/graphics_context.h"
#include "raster/px_cached_font.h"

#include <cstdio>

namespace {

constexpr int BoldWeight = 700;
constexpr int NormalWeight = 400;

PX_FontRequest RequestFor(const TextStyle& style) {
    PX_FontRequest request{};
    std::snprintf(request.face, sizeof request.face, "%s", style.faceName);
    request.height = style.size;
    request.weight = style.style == FontBold ? BoldWeight : NormalWeight;
    request.italic = style.style == FontItalic;
    // The same angle for any orientation, without overflowing the tenths of a degree.
    request.escapement = (style.orientation % 360) * 10;
    request.quality = style.quality;
    return request;
}

// The system font handed to a new cached font, which then owns it; null when the system has no
// such font.
PX_CachedFont* MakeFont(const TextStyle& style) {
    const PX_FontHandle handle = PX_CreateSystemFont(RequestFor(style));
    if (handle == nullptr) {
        return nullptr;
    }
    auto* font = new PX_CachedFont();
    font->AttachFont(handle, PX_TEXT_OWNS_FONT | PX_TEXT_NATIVE);
    return font;
}

int TextFlagsFor(const TextStyle& style) {
    int flags = DT_NOCLIP;
    if ((style.textColour.alpha & 0xFF) != 255) {
        flags |= PX_RENDER_FOREGROUND_ALPHA;
    }
    if (style.alignment == AlignCentre) {
        flags |= DT_CENTER;
    } else if (style.alignment == AlignRight) {
        flags |= DT_RIGHT;
    }
    return flags;
}

} // namespace

PX_CachedFont* GraphicsContext::FontFor(TextStyle& style) {
    PX_CachedFont* font = FontCache::Obtain(style, [&] { return MakeFont(style); });
    if (font != nullptr) {
        style.cachedFont = font;
    }
    return font;
}

bool GraphicsContext::DrawTextBox(TextStyle& style, const char* text, Bounds& rect, bool measure) {
    if (text == nullptr || text[0] == '\0') {
        return true;
    }
    PX_CachedFont* font = style.cachedFont != nullptr ? style.cachedFont : FontFor(style);
    if (font == nullptr) {
        return false;
    }
    font->SetForeground(style.textColour.Packed());
    const int flags = TextFlagsFor(style);
    if (!measure) {
        PX_Rect box{rect.left, rect.top, rect.right, rect.bottom};
        font->RenderText(canvas_, text, -1, box, flags);
        return true;
    }
    PX_Rect extent{0, 0, 0, 0};
    font->RenderText(canvas_, text, -1, extent, flags | DT_CALCRECT);
    const int width = extent.right;
    if (style.alignment == AlignCentre) {
        rect.left = (rect.left + rect.right) / 2 - width / 2;
        rect.right = rect.left + width;
    } else if (style.alignment == AlignRight) {
        rect.left = rect.right - width;
    } else {
        rect.right = rect.left + width;
    }
    rect.bottom = rect.top + extent.bottom;
    return true;
}

bool GraphicsContext::MeasureTextBox(TextStyle& style, const char* text, Bounds& rect) {
    return DrawTextBox(style, text, rect, true);
}
