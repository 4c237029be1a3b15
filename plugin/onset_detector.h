// OnsetDetector: finds note attacks in a mono signal. The magnitude is smoothed (6 Hz), its first
// difference is filtered (60 Hz) and scaled to a slope per second; an attack fires when the slope
// crosses the threshold after a falling zero crossing and at least minInterval after the previous
// rise began, or at once when the rise is an accent (over three times the previous peak).
#pragma once

#include "plugin/filter_lp2.h"

#include <cmath>
#include <cstdint>
#include <limits>

class OnsetDetector {
public:
    OnsetDetector();

    // Retunes both filters and the interval for a new rate; the running state (filter outputs,
    // peaks, flags, count) is kept. The caller passes a rate that fits the 32-bit rate field.
    void SetSampleRate(double sampleRate);

    // audio thread
    bool Step(double x) {
        trigger_ = false;
        level_ = smoother_.Step(std::fabs(x));
        slope_ = rateAsDouble_ * slopeFilter_.Step(level_ - previousLevel_);
        const bool aboveThreshold = slope_ > threshold_;
        if (aboveThreshold && slope_ > peak_) {
            peak_ = slope_;
        }
        if (peak_ > 3.0 * lastPeak_ && !bigRiseBlocked_ && lastPeak_ > 0.0) {
            bigRise_ = true;
        }
        if (aboveThreshold && armed_ && (static_cast<double>(count_) > minCount_ || bigRise_)) {
            trigger_ = true;
            armed_ = false;
            bigRise_ = false;
            bigRiseBlocked_ = true;
        }
        if (slope_ * previousSlope_ < 0.0 && slope_ < 0.0) {
            lastPeak_ = peak_;
            peak_ = 0.0;
            armed_ = true;
            countResetPending_ = true;
            bigRiseBlocked_ = false;
        }
        if (aboveThreshold && countResetPending_) {
            count_ = 0;
            countResetPending_ = false;
        }
        if (slope_ != 0.0) { // a NaN slope counts as non-zero
            previousSlope_ = slope_;
        }
        previousLevel_ = level_;
        // Saturates: a quiet day must not wrap the count round to "too soon after the last attack".
        if (count_ < std::numeric_limits<std::int32_t>::max()) {
            ++count_;
        }
        return trigger_;
    }

    void SetThreshold(double threshold) { threshold_ = threshold; }
    double Threshold() const { return threshold_; }
    double ThresholdScale() const { return thresholdScale_; }
    double LowCutoff() const { return lowCutoff_; }
    double Range() const { return range_; }
    std::int32_t Rate() const { return rate_; }
    std::int32_t Count() const { return count_; }
    // The count only ever grows by one per step; this lets a test start near the top without
    // stepping for thirteen hours.
    void SetCountForTest(std::int32_t count) { count_ = count; }

private:
    bool trigger_ = false;
    double threshold_ = 0.001;
    std::int32_t rate_ = 44100;
    bool armed_ = false;
    bool countResetPending_ = false;
    bool bigRise_ = false;
    bool bigRiseBlocked_ = false;
    double level_ = 0.0;
    double previousLevel_ = 0.0;
    double slope_ = 0.0;
    double previousSlope_ = 0.0;
    double peak_ = 0.0;
    double lastPeak_ = 0.0;
    double thresholdScale_ = 2.55;
    double lowCutoff_ = 6.0;
    double highCutoff_ = 60.0;
    double range_ = -60.0;
    std::int32_t count_ = 0;
    double minInterval_ = 0.1;
    FilterLP2 smoother_;
    FilterLP2 slopeFilter_;
    // rate and rate·minInterval as doubles, kept beside rate so the step converts nothing.
    double rateAsDouble_ = 44100.0;
    double minCount_ = 44100.0 * 0.1;
};
