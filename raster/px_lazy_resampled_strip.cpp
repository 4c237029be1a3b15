#include "raster/px_lazy_resampled_strip.h"

#include <algorithm>

PX_LazyResampledStrip* PX_LazyResampledStrip::Create(PX_Bitmap& source, int frameCount,
                                                     bool sideBySide, int frameWidth,
                                                     int frameHeight) {
    auto resampler = std::make_unique<PX_FrameResampler>(source, frameCount, sideBySide, frameWidth,
                                                         frameHeight);
    if (!resampler->Valid()) {
        return nullptr;
    }
    std::unique_ptr<PX_LazyResampledStrip> strip(new PX_LazyResampledStrip(
        std::move(resampler), frameCount, sideBySide, frameWidth, frameHeight));
    return strip->PixelData() != nullptr ? strip.release() : nullptr;
}

PX_LazyResampledStrip::PX_LazyResampledStrip(std::unique_ptr<PX_FrameResampler> resampler,
                                             int frameCount, bool sideBySide, int frameWidth,
                                             int frameHeight)
    : PX_MemBitmap(resampler->Width(), resampler->Height()), resampler_(std::move(resampler)),
      made_(static_cast<size_t>(frameCount), false), sideBySide_(sideBySide),
      frameLength_(sideBySide ? frameWidth : frameHeight) {}

// The frames the area touches along the strip, clipped to the strip.
void PX_LazyResampledStrip::PrepareArea(int left, int top, int right, int bottom) {
    const int from = sideBySide_ ? left : top;
    const int to = sideBySide_ ? right : bottom;
    const int last = static_cast<int>(made_.size()) - 1;
    if (to <= from || to <= 0) {
        return;
    }
    const int first = std::max(from, 0) / frameLength_;
    const int end = std::min((to - 1) / frameLength_, last);
    std::lock_guard<std::mutex> hold(lock_);
    bool madeOne = false;
    for (int frame = first; frame <= end; ++frame) {
        if (!made_[static_cast<size_t>(frame)]) {
            resampler_->Resample(frame, *this);
            made_[static_cast<size_t>(frame)] = true;
            madeOne = true;
        }
    }
    // A finished strip needs no working buffers (a backdrop's run to tens of megabytes).
    if (madeOne && std::find(made_.begin(), made_.end(), false) == made_.end()) {
        resampler_->ReleaseScratch();
    }
}

int PX_LazyResampledStrip::FramesMade() {
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>(std::count(made_.begin(), made_.end(), true));
}
