// Flags of PX_Font::RenderText and of AttachFont. The DrawText flags keep their Win32 names and
// values; they are spelt exactly as <windows.h> spells them, so either header may come first.
#pragma once

#ifndef DT_CENTER
#define DT_CENTER 0x00000001
#endif
#ifndef DT_RIGHT
#define DT_RIGHT 0x00000002
#endif
#ifndef DT_VCENTER
#define DT_VCENTER 0x00000004
#endif
#ifndef DT_BOTTOM
#define DT_BOTTOM 0x00000008
#endif
#ifndef DT_SINGLELINE
#define DT_SINGLELINE 0x00000020
#endif
#ifndef DT_NOCLIP
#define DT_NOCLIP 0x00000100
#endif
#ifndef DT_CALCRECT
#define DT_CALCRECT 0x00000400
#endif
#ifndef DT_NOPREFIX
#define DT_NOPREFIX 0x00000800
#endif

// RenderText: weight the text by the foreground's alpha byte (never drawn by the system).
constexpr int PX_RENDER_FOREGROUND_ALPHA = 0x40000000;
// RenderText: never let the system draw the text.
constexpr int PX_RENDER_NO_NATIVE = static_cast<int>(0x80000000u);

// AttachFont flags.
constexpr int PX_TEXT_ROTATE = 0x1;     // masks turned 90 degrees clockwise, lines run downwards
constexpr int PX_TEXT_ROTATE_CCW = 0x2; // with PX_TEXT_ROTATE: counter-clockwise, text runs up
constexpr int PX_TEXT_FIXED_SET = 0x4;  // codes 0-127 rasterised at attach, no others ever
constexpr int PX_TEXT_BLUR = 0x10;
constexpr int PX_TEXT_INVERT = 0x20;
constexpr int PX_TEXT_MONO = 0x40;
constexpr int PX_TEXT_SHADOW = 0x80;
constexpr int PX_TEXT_OUTLINE = 0x100;
constexpr int PX_TEXT_OWNS_FONT = 0x200; // the font object deletes its system font
constexpr int PX_TEXT_NATIVE = 0x400;    // the system may draw the text itself

// SetBackgroundMode values (the Win32 TRANSPARENT and OPAQUE).
constexpr int PX_BACKGROUND_TRANSPARENT = 1;
constexpr int PX_BACKGROUND_OPAQUE = 2;
