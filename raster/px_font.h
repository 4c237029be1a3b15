// PX_Font: text drawn and measured on any PX_Bitmap with a system font. The graphics context keeps
// one per text style, sets its colour before each draw and calls RenderText.
#pragma once

#include "raster/px_bitmap.h"
#include "raster/px_combine.h"
#include "raster/px_rect.h"
#include "raster/px_system_font.h"
#include "raster/px_text_flags.h"

class PX_Font {
public:
    virtual ~PX_Font() {}
    // Takes the system font (owned when flags hold PX_TEXT_OWNS_FONT) and forgets every glyph.
    virtual void AttachFont(PX_FontHandle font, int flags) = 0;
    // The setters answer the previous value.
    virtual PX_Pixel32 SetForeground(PX_Pixel32 colour) = 0;
    virtual PX_Pixel32 SetBackground(PX_Pixel32 colour) = 0;
    virtual PX_Pixel32 SetOutlineColour(PX_Pixel32 colour) = 0;
    virtual int SetBackgroundMode(int mode) = 0;      // PX_BACKGROUND_TRANSPARENT or _OPAQUE
    virtual void SetBlend(int mode, float alpha) = 0; // PX_COMBINE_* mode, weight 0..1
    // Draws (or with DT_CALCRECT measures) count bytes of UTF-8 text, -1 for up to the
    // terminating 0. bitmap may be null when measuring. Answers the text's height (0 when
    // nothing was drawn); with DT_CALCRECT rect's right and bottom become the text's extent.
    virtual int RenderText(PX_Bitmap* bitmap, const char* text, int count, PX_Rect& rect,
                           int flags) = 0;
    virtual PX_Pixel32 Foreground() = 0;
    virtual PX_FontHandle FontHandle() = 0;
    virtual int LineHeight() = 0;
};
