// The system font handle here: the font description asked for, and the FreeType face that draws
// it, sized so that its cell (ascent + descent) is the requested height, as GDI sizes a font
// created with a positive height.
#pragma once

#include "raster/px_system_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

struct FreeTypeFont {
    char face[32];
    int height;
    int weight;
    bool italic;
    int orientation; // tenths of a degree; kept with the description, glyphs are drawn upright
    int quality;
    FT_Face ftFace;
    int ascent;     // baseline below the top of the cell, in pixels
    int lineHeight; // ascent + descent, in pixels
    FT_Int32 loadFlags;
};

inline FreeTypeFont* AsFreeTypeFont(PX_FontHandle font) {
    return static_cast<FreeTypeFont*>(font);
}
