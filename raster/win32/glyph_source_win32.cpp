// Glyphs from GDI: each character is drawn with DrawTextW, white on opaque black, into the glyph
// scratch surface's device context.
#include "raster/glyph_source.h"

#include <windows.h>

namespace {

// Selects the font into the scratch surface's device context for one call, then puts back what
// was selected before.
class SelectedFont {
public:
    SelectedFont(PX_FontHandle font, PX_SysBitmap& scratch)
        : dc_(static_cast<HDC>(scratch.DeviceContext())) {
        if (dc_ != nullptr && font != nullptr) {
            previous_ = SelectObject(dc_, static_cast<HGDIOBJ>(font));
        }
    }
    ~SelectedFont() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

    // The device context with the font in it, or null.
    HDC Dc() const { return previous_ != nullptr ? dc_ : nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

} // namespace

void PrepareGlyphScratch(PX_SysBitmap& scratch) {
    HDC dc = static_cast<HDC>(scratch.DeviceContext());
    if (dc != nullptr) {
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, RGB(0, 0, 0));
    }
}

int MeasureLineHeight(PX_FontHandle font, PX_SysBitmap& scratch) {
    SelectedFont selected(font, scratch);
    TEXTMETRICA metrics{};
    if (selected.Dc() == nullptr || !GetTextMetricsA(selected.Dc(), &metrics)) {
        return 0;
    }
    return metrics.tmHeight;
}

GlyphExtent MeasureGlyph(PX_FontHandle font, int code, PX_SysBitmap& scratch) {
    SelectedFont selected(font, scratch);
    if (selected.Dc() == nullptr) {
        return GlyphExtent{0, 0};
    }
    WCHAR character = static_cast<WCHAR>(code);
    RECT box{0, 0, 0, 0};
    DrawTextW(selected.Dc(), &character, 1, &box, DT_NOPREFIX | DT_CALCRECT | DT_SINGLELINE);
    return GlyphExtent{static_cast<int>(box.right), static_cast<int>(box.bottom)};
}

void DrawGlyph(PX_FontHandle font, int code, PX_SysBitmap& scratch) {
    SelectedFont selected(font, scratch);
    if (selected.Dc() == nullptr) {
        return;
    }
    WCHAR character = static_cast<WCHAR>(code);
    RECT box{0, 0, 0, 0};
    DrawTextW(selected.Dc(), &character, 1, &box, DT_NOPREFIX | DT_NOCLIP | DT_SINGLELINE);
    // GDI may batch; the pixels are read straight after.
    GdiFlush();
}
