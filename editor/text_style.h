// TextStyle: how a control's text is drawn and how its text entry looks. The cached font is the
// font cache's (never the style's) and is filled in the first time the style is drawn.
#pragma once

#include "editor/argb.h"

#include <cstdint>

class PX_CachedFont;

enum TextAlignment : std::int32_t { AlignLeft = 0, AlignCentre = 1, AlignRight = 2 };
enum FontStyle : std::int32_t { FontNormal = 0, FontBold = 1, FontItalic = 2 };

struct TextStyle {
    char faceName[32] = "Verdana";
    std::int32_t size = 12; // font height in pixels
    Argb textColour{255, 0, 0, 0};
    Argb entryBackground{255, 255, 255, 255};
    Argb entryForeground{255, 0, 0, 0};
    std::int32_t style = FontNormal;
    std::int32_t alignment = AlignCentre;
    std::int32_t orientation = 0; // degrees
    std::int32_t quality = 0;     // 0 default, 1 non-antialiased, 2 antialiased, 3 ClearType
    PX_CachedFont* cachedFont = nullptr;
};
