// Resampling a strip of equal frames to another frame size, each frame on its own so no frame
// bleeds into its neighbour. The filter is a Lanczos window of three lobes, widened by the ratio
// when shrinking so every source pixel contributes, run separably (rows, then columns) on
// premultiplied colour so transparent pixels lend no colour to the edges they border. The result
// is limited to 0..255 per channel (the filter's lobes overshoot at hard edges) and stored as
// straight colour again.
#pragma once

#include "raster/px_mem_bitmap.h"

#include <vector>

// A new bitmap of frameCount frames of frameWidth x frameHeight, stacked top to bottom or laid
// side by side like the source's. Null when the source is not a whole number of frames, a size
// is below 1 or the result would exceed PX_MAX_IMAGE_SIDE or PX_MAX_IMAGE_PIXELS.
PX_MemBitmap* PX_ResampleFrames(PX_Bitmap& source, int frameCount, bool sideBySide, int frameWidth,
                                int frameHeight);

// The taps of each output pixel along one axis: count[i] source indices (edges repeated) and
// their weights, normalised to sum 1, one output pixel after another.
struct PX_ResampleTaps {
    std::vector<int> count;
    std::vector<int> index;
    std::vector<float> weights;
};

// The frames of one strip resampled one at a time, each into its place in a strip of the new
// frame size laid out like the source: the filter's taps are made once for all of them.
class PX_FrameResampler {
public:
    // Valid() is false where PX_ResampleFrames refuses the sizes.
    PX_FrameResampler(PX_Bitmap& source, int frameCount, bool sideBySide, int frameWidth,
                      int frameHeight);
    bool Valid() const { return valid_; }
    // Width and height of the whole resampled strip.
    int Width() const;
    int Height() const;
    // Frame (0-based) of the source into its place in target, a bitmap of Width() x Height().
    void Resample(int frame, PX_Bitmap& target);
    // Frees the working buffers (made again by the next Resample).
    void ReleaseScratch();

private:
    PX_Bitmap& source_;
    int frameCount_;
    bool sideBySide_;
    int fromWidth_ = 0;
    int fromHeight_ = 0;
    int frameWidth_;
    int frameHeight_;
    bool valid_ = false;
    PX_ResampleTaps across_;
    PX_ResampleTaps down_;
    std::vector<float> frame_; // premultiplied source frame, then its rows, then the result
    std::vector<float> rows_;
    std::vector<float> done_;
};
