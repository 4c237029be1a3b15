// The text code's process-wide scratch surfaces: the glyph surface the system draws single
// characters into, and the text surface through which it draws strings on bitmaps that have no
// device context. Both live from first use until the last PX_CachedFont is destroyed. UI thread.
#pragma once

#include "raster/px_sys_bitmap.h"

// Counted by every PX_CachedFont's constructor and destructor; the last one deletes both surfaces.
void TextFontCreated();
void TextFontDestroyed();

// The surfaces, created empty (0 x 0) on first use; null only when memory is short.
PX_SysBitmap* GlyphScratch();
PX_SysBitmap* TextScratch();
