// Resampling a strip of equal frames to another frame size, each frame on its own so no frame
// bleeds into its neighbour. The filter is a Lanczos window of three lobes, widened by the ratio
// when shrinking so every source pixel contributes, run separably (rows, then columns) on
// premultiplied colour so transparent pixels lend no colour to the edges they border. The result
// is limited to 0..255 per channel (the filter's lobes overshoot at hard edges) and stored as
// straight colour again.
#pragma once

#include "raster/px_mem_bitmap.h"

// A new bitmap of frameCount frames of frameWidth x frameHeight, stacked top to bottom or laid
// side by side like the source's. Null when the source is not a whole number of frames, a size
// is below 1 or the result would exceed PX_MAX_IMAGE_SIDE or PX_MAX_IMAGE_PIXELS.
PX_MemBitmap* PX_ResampleFrames(PX_Bitmap& source, int frameCount, bool sideBySide, int frameWidth,
                                int frameHeight);
