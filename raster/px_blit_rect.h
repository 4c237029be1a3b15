// Copies or combines a rectangle of one bitmap into another, clipped to both.
#pragma once

#include "raster/px_bitmap.h"
#include "raster/px_combine.h"
#include "raster/px_rect.h"

// srcRect null means the whole source. alpha weights the whole blit (1.0 = full); mode is a
// PX_COMBINE_* value. Draws nothing for a null or empty bitmap or when clipping leaves nothing.
void PX_BlitRect(PX_Bitmap* dest, PX_Bitmap* src, int dstX, int dstY, const PX_Rect* srcRect,
                 float alpha, int mode);
