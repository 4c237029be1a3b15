// The system font behind a PX_Font: an HFONT on Windows; elsewhere a font description of ours
// (face, height, weight, italic, orientation, quality) whose glyphs FreeType renders. Either way it
// is an opaque handle made and deleted only through these two functions.
#pragma once

using PX_FontHandle = void*;

// Tallest font that can be made; taller requests are refused rather than handed to the system.
constexpr int PX_MAX_FONT_HEIGHT = 4096;

// What a font is asked for; the fields follow CreateFontA's arguments.
struct PX_FontRequest {
    char face[32]; // face name, e.g. "Verdana"; read up to the first 0 or 31 bytes
    int height;    // cell height in pixels (ascent + descent), CreateFontA's positive height
    int weight;    // 400 normal, 700 bold
    bool italic;
    int escapement; // text angle in tenths of a degree, counter-clockwise
    int quality;    // 0 default, 1 non-antialiased, 2 antialiased, 3 ClearType
};

// Null when no font can be made: no face at all, or height below 1 or above PX_MAX_FONT_HEIGHT.
PX_FontHandle PX_CreateSystemFont(const PX_FontRequest& request);
// Null is ignored.
void PX_DeleteSystemFont(PX_FontHandle font);
