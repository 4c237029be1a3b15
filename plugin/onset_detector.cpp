#include "plugin/onset_detector.h"

namespace {
constexpr double kQuality = 0.6;
}

OnsetDetector::OnsetDetector()
    : smoother_(44100.0, 6.0, kQuality), slopeFilter_(44100.0, 60.0, kQuality) {}

void OnsetDetector::SetSampleRate(double sampleRate) {
    rate_ = static_cast<std::int32_t>(sampleRate);
    smoother_.SetSampleRate(sampleRate);
    slopeFilter_.SetSampleRate(sampleRate);
    thresholdScale_ = 2.55;
    lowCutoff_ = 6.0;
    highCutoff_ = 60.0;
    range_ = -60.0;
    smoother_.SetCutoff(lowCutoff_);
    smoother_.SetQuality(kQuality);
    slopeFilter_.SetCutoff(highCutoff_);
    slopeFilter_.SetQuality(kQuality);
    rateAsDouble_ = static_cast<double>(rate_);
    minCount_ = static_cast<double>(rate_) * minInterval_;
}
