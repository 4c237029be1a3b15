// Where the glyph path's glyphs come from: the system's font renderer draws one character at a
// time, white on black, into the process-wide glyph scratch surface, and reports its advance and
// the font's line height. GDI on Windows (raster/win32/), FreeType elsewhere (raster/posix/).
// UI thread.
#pragma once

#include "raster/px_sys_bitmap.h"
#include "raster/px_system_font.h"

struct GlyphExtent {
    int advance; // how far the character moves the pen, in pixels
    int height;  // height of its box: the line height
};

// Makes a new or resized scratch surface draw white text on an opaque black background.
void PrepareGlyphScratch(PX_SysBitmap& scratch);

// The font's line height (ascent + descent, in pixels), 0 when it cannot be had.
int MeasureLineHeight(PX_FontHandle font, PX_SysBitmap& scratch);

// One character measured on its own, on one line.
GlyphExtent MeasureGlyph(PX_FontHandle font, int code, PX_SysBitmap& scratch);

// Draws one character with its cell's top-left corner at (0, 0) of the scratch surface. Ink
// falling outside the surface is cut.
void DrawGlyph(PX_FontHandle font, int code, PX_SysBitmap& scratch);
