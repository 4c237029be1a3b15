// The system drawing whole strings itself (GDI's DrawText on Windows). Where the system has no
// such thing (raster/posix/) every string goes through the glyph path. UI thread.
#pragma once

#include "raster/px_bitmap.h"
#include "raster/px_rect.h"
#include "raster/px_system_font.h"

struct NativeTextStyle {
    PX_FontHandle font;
    PX_Pixel32 foreground;
    PX_Pixel32 background;
    int backgroundMode; // PX_BACKGROUND_TRANSPARENT or _OPAQUE
    float alpha;        // weight of the copy back when the system draws into a scratch surface
};

// Whether the system can draw text at all.
bool NativeTextExists();

// Whether the system's drawing is wanted for plain text. Not under Wine: its text differs from
// Windows', and the glyph path draws the same everywhere. Tested once per process.
bool NativeTextPreferred();

// The system draws (with DT_CALCRECT: measures) count bytes of text, -1 for up to the terminating
// 0, into bitmap's device context or through the text scratch surface. Answers DrawText's result.
int DrawNativeText(const NativeTextStyle& style, PX_Bitmap* bitmap, const char* text, int count,
                   PX_Rect& rect, int flags);
