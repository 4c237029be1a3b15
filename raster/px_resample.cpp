#include "raster/px_resample.h"

#include "raster/px_size_limits.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr double Lobes = 3.0;
constexpr double Pi = 3.14159265358979323846;

// Pixels in the passes: premultiplied blue, green, red, alpha in 0..255, four floats each, so the
// inner loops run along plain float arrays.
constexpr int Channels = 4;

// sinc(t) * sinc(t / Lobes) for |t| < Lobes, else 0.
double Lanczos(double t) {
    t = std::fabs(t);
    if (t < 1e-9) {
        return 1.0;
    }
    if (t >= Lobes) {
        return 0.0;
    }
    const double x = Pi * t;
    return Lobes * std::sin(x) * std::sin(x / Lobes) / (x * x);
}

using Taps = PX_ResampleTaps;

// Output pixel i covers source position (i + 0.5) * from / to - 0.5; when shrinking the window
// is stretched by from / to.
Taps MakeTaps(int from, int to) {
    Taps taps;
    const double ratio = static_cast<double>(from) / to;
    const double stretch = std::max(ratio, 1.0);
    const double reach = Lobes * stretch;
    std::vector<double> w;
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) * ratio - 0.5;
        const int first = static_cast<int>(std::ceil(centre - reach));
        const int last = static_cast<int>(std::floor(centre + reach));
        w.clear();
        double sum = 0.0;
        for (int j = first; j <= last; ++j) {
            w.push_back(Lanczos((j - centre) / stretch));
            sum += w.back();
            taps.index.push_back(std::min(std::max(j, 0), from - 1));
        }
        taps.count.push_back(last - first + 1);
        for (double weight : w) {
            taps.weights.push_back(static_cast<float>(weight / sum));
        }
    }
    return taps;
}

void Premultiply(PX_Pixel32 p, float* out) {
    const float a = static_cast<float>(p >> 24);
    const float k = a / 255.0f;
    out[0] = static_cast<float>(p & 0xFF) * k;
    out[1] = static_cast<float>((p >> 8) & 0xFF) * k;
    out[2] = static_cast<float>((p >> 16) & 0xFF) * k;
    out[3] = a;
}

std::uint32_t Channel(float premultiplied, float alpha) {
    const float straight = std::min(std::max(premultiplied, 0.0f), alpha) * 255.0f / alpha;
    return static_cast<std::uint32_t>(straight + 0.5f);
}

PX_Pixel32 Straight(const float* c) {
    const float a = std::min(std::max(c[3], 0.0f), 255.0f);
    const std::uint32_t alpha = static_cast<std::uint32_t>(a + 0.5f);
    if (alpha == 0) {
        return 0;
    }
    return PX_MakePixel(alpha, Channel(c[2], a), Channel(c[1], a), Channel(c[0], a));
}

// Each row of in (width pixels) to a row of out (taps' pixels), one after another.
void AcrossRows(const float* in, int width, int rows, const Taps& taps, float* out) {
    const int to = static_cast<int>(taps.count.size());
    for (int y = 0; y < rows; ++y) {
        const float* source = in + static_cast<size_t>(y) * width * Channels;
        const int* index = taps.index.data();
        const float* weight = taps.weights.data();
        for (int x = 0; x < to; ++x) {
            float sum[Channels] = {0, 0, 0, 0};
            for (int k = 0; k < taps.count[x]; ++k) {
                const float* c = source + static_cast<size_t>(index[k]) * Channels;
                for (int channel = 0; channel < Channels; ++channel) {
                    sum[channel] += c[channel] * weight[k];
                }
            }
            index += taps.count[x];
            weight += taps.count[x];
            std::copy(sum, sum + Channels, out + (static_cast<size_t>(y) * to + x) * Channels);
        }
    }
}

// Each output row as the weighted sum of whole rows of in (width pixels each): row by row, so
// the inner loop runs along memory.
void DownColumns(const float* in, int width, const Taps& taps, float* out) {
    const int to = static_cast<int>(taps.count.size());
    const size_t floats = static_cast<size_t>(width) * Channels;
    const int* index = taps.index.data();
    const float* weight = taps.weights.data();
    for (int y = 0; y < to; ++y) {
        float* row = out + static_cast<size_t>(y) * floats;
        std::fill(row, row + floats, 0.0f);
        for (int k = 0; k < taps.count[y]; ++k) {
            const float* source = in + static_cast<size_t>(index[k]) * floats;
            const float w = weight[k];
            for (size_t i = 0; i < floats; ++i) {
                row[i] += source[i] * w;
            }
        }
        index += taps.count[y];
        weight += taps.count[y];
    }
}

bool Fits(int frameCount, bool sideBySide, int frameWidth, int frameHeight) {
    const int64_t width = int64_t{frameWidth} * (sideBySide ? frameCount : 1);
    const int64_t height = int64_t{frameHeight} * (sideBySide ? 1 : frameCount);
    return frameWidth >= 1 && frameHeight >= 1 && frameCount >= 1 && width <= PX_MAX_IMAGE_SIDE &&
           height <= PX_MAX_IMAGE_SIDE && width * height <= PX_MAX_IMAGE_PIXELS;
}

} // namespace

PX_FrameResampler::PX_FrameResampler(PX_Bitmap& source, int frameCount, bool sideBySide,
                                     int frameWidth, int frameHeight)
    : source_(source), frameCount_(frameCount), sideBySide_(sideBySide), frameWidth_(frameWidth),
      frameHeight_(frameHeight) {
    if (!Fits(frameCount, sideBySide, frameWidth, frameHeight) || source.PixelData() == nullptr) {
        return;
    }
    fromWidth_ = sideBySide ? source.Width() / frameCount : source.Width();
    fromHeight_ = sideBySide ? source.Height() : source.Height() / frameCount;
    if (fromWidth_ < 1 || fromHeight_ < 1 ||
        (sideBySide ? fromWidth_ * frameCount : fromHeight_ * frameCount) !=
            (sideBySide ? source.Width() : source.Height())) {
        return;
    }
    across_ = MakeTaps(fromWidth_, frameWidth);
    down_ = MakeTaps(fromHeight_, frameHeight);
    valid_ = true;
}

void PX_FrameResampler::ReleaseScratch() {
    std::vector<float>().swap(frame_);
    std::vector<float>().swap(rows_);
    std::vector<float>().swap(done_);
}

int PX_FrameResampler::Width() const {
    return sideBySide_ ? frameWidth_ * frameCount_ : frameWidth_;
}

int PX_FrameResampler::Height() const {
    return sideBySide_ ? frameHeight_ : frameHeight_ * frameCount_;
}

void PX_FrameResampler::Resample(int f, PX_Bitmap& target) {
    if (!valid_ || f < 0 || f >= frameCount_ || target.PixelData() == nullptr ||
        target.Width() != Width() || target.Height() != Height()) {
        return;
    }
    if (frame_.empty()) {
        frame_.resize(static_cast<size_t>(fromWidth_) * fromHeight_ * Channels);
        rows_.resize(static_cast<size_t>(frameWidth_) * fromHeight_ * Channels);
        done_.resize(static_cast<size_t>(frameWidth_) * frameHeight_ * Channels);
    }
    const int sx = sideBySide_ ? f * fromWidth_ : 0;
    const int sy = sideBySide_ ? 0 : f * fromHeight_;
    for (int y = 0; y < fromHeight_; ++y) {
        const int sourceRow = source_.IsBottomUp() ? source_.Height() - 1 - (sy + y) : sy + y;
        const PX_Pixel32* row =
            source_.PixelData() + static_cast<size_t>(sourceRow) * source_.RowStride() + sx;
        for (int x = 0; x < fromWidth_; ++x) {
            Premultiply(row[x], &frame_[(static_cast<size_t>(y) * fromWidth_ + x) * Channels]);
        }
    }
    AcrossRows(frame_.data(), fromWidth_, fromHeight_, across_, rows_.data());
    DownColumns(rows_.data(), frameWidth_, down_, done_.data());
    const int dx = sideBySide_ ? f * frameWidth_ : 0;
    const int dy = sideBySide_ ? 0 : f * frameHeight_;
    for (int y = 0; y < frameHeight_; ++y) {
        const int targetRow = target.IsBottomUp() ? target.Height() - 1 - (dy + y) : dy + y;
        PX_Pixel32* row =
            target.PixelData() + static_cast<size_t>(targetRow) * target.RowStride() + dx;
        for (int x = 0; x < frameWidth_; ++x) {
            row[x] = Straight(&done_[(static_cast<size_t>(y) * frameWidth_ + x) * Channels]);
        }
    }
}

PX_MemBitmap* PX_ResampleFrames(PX_Bitmap& source, int frameCount, bool sideBySide, int frameWidth,
                                int frameHeight) {
    PX_FrameResampler resampler(source, frameCount, sideBySide, frameWidth, frameHeight);
    if (!resampler.Valid()) {
        return nullptr;
    }
    auto result = std::make_unique<PX_MemBitmap>(resampler.Width(), resampler.Height());
    if (result->PixelData() == nullptr) {
        return nullptr;
    }
    for (int f = 0; f < frameCount; ++f) {
        resampler.Resample(f, *result);
    }
    return result.release();
}
