// Row kernels of the blit: one small function per combine mode, chosen once per call.
#pragma once

#include "raster/px_pixel32.h"

// Combines cols source pixels into cols destination pixels with the integer weight ia (1..256).
using BlitRowKernel = void (*)(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia);

// The kernel of mode & 0x100FF at weight ia, or null for a mode that draws nothing.
BlitRowKernel SelectBlitKernel(int mode, int ia);

// Destination byte destChannel = source byte sourceChannel; the other bytes stay.
void ChannelCopyRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int sourceChannel,
                    int destChannel);

// Each channel becomes floor(s / 2) + floor(d / 2), on whole words.
void HalfMixRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols);

// Source alpha at full weight: sa 0 keeps d, sa 255 writes the source opaque, otherwise
// A = min(255, d.A + sa) and B, G, R: d = s + (d - s) * (255 - sa) / 256.
void SourceAlphaFullRow(PX_Pixel32* dest, const PX_Pixel32* src, int cols, int ia);
