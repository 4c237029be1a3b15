// A strip resampled from another frame by frame, each frame made the first time an area of it is
// prepared (PrepareArea) and kept: a strip of many frames costs only the frames shown, with the
// same pixels PX_ResampleFrames makes. The source must outlive it. Frames are made under a lock
// of its own, so editors on several threads may share it; never on the audio thread.
#pragma once

#include "raster/px_mem_bitmap.h"
#include "raster/px_resample.h"

#include <memory>
#include <mutex>
#include <vector>

class PX_LazyResampledStrip : public PX_MemBitmap {
public:
    // Null where PX_ResampleFrames refuses the sizes or the storage cannot be had.
    static PX_LazyResampledStrip* Create(PX_Bitmap& source, int frameCount, bool sideBySide,
                                         int frameWidth, int frameHeight);

    void PrepareArea(int left, int top, int right, int bottom) override;
    // How many frames have been made so far.
    int FramesMade();

private:
    PX_LazyResampledStrip(std::unique_ptr<PX_FrameResampler> resampler, int frameCount,
                          bool sideBySide, int frameWidth, int frameHeight);

    std::unique_ptr<PX_FrameResampler> resampler_;
    std::vector<bool> made_;
    bool sideBySide_;
    int frameLength_; // along the strip, in pixels
    std::mutex lock_;
};
