// The swell algorithm written out literally, step by step and without any speed-up: a shifting
// delay array, the power function on every rise sample, the envelope vector resized per block.
// The tests compare the plug-in with it bit for bit, and the benchmarks use it as the baseline.
// Two mended behaviours are part of it: the rate-dependent values follow SetSampleRate (the
// running state is kept), and the detector's sample count saturates instead of wrapping.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace reference {

constexpr double kPi = 3.14159265358979323846;

struct Filter {
    double fs = 44100.0, q = 0.6, w = 0.0, fc = 0.0, g = 0.0, k = 0.0, a1 = 0.0, a2 = 0.0;
    double y0 = 0.0, y1 = 0.0, y2 = 0.0;

    void Recompute() {
        w = (fc * kPi) / q;
        g = 1.0 / (w / fs + 1.0);
        const double omega = (fc * 2.0 * kPi) / fs;
        k = omega * omega;
        a1 = 2.0 - k;
        a2 = w / fs - 1.0;
    }
    double Step(double u) {
        double t = u * k;
        t = t + y1 * a1;
        t = t + y2 * a2;
        double y = t * g;
        y2 = y1;
        y1 = y;
        y0 = y;
        return y;
    }
};

struct Detector {
    bool trigger = false;
    double threshold = 0.001;
    std::int32_t rate = 44100;
    bool armed = false, countResetPending = false, bigRise = false, bigRiseBlocked = false;
    double level = 0, previousLevel = 0, slope = 0, previousSlope = 0, peak = 0, lastPeak = 0;
    double thresholdScale = 2.55, lowCutoff = 6.0, highCutoff = 60.0, range = -60.0;
    std::int32_t count = 0;
    double minInterval = 0.1;
    Filter smoother, slopeFilter;

    Detector() {
        smoother.fc = 6.0;
        smoother.Recompute();
        slopeFilter.fc = 60.0;
        slopeFilter.Recompute();
    }
    void SetSampleRate(double sampleRate) {
        rate = static_cast<std::int32_t>(std::trunc(sampleRate));
        smoother.fs = sampleRate;
        smoother.Recompute();
        slopeFilter.fs = sampleRate;
        slopeFilter.Recompute();
        thresholdScale = 2.55;
        lowCutoff = 6.0;
        highCutoff = 60.0;
        range = -60.0;
        smoother.fc = lowCutoff;
        smoother.Recompute();
        smoother.q = 0.6;
        smoother.Recompute();
        slopeFilter.fc = highCutoff;
        slopeFilter.Recompute();
        slopeFilter.q = 0.6;
        slopeFilter.Recompute();
    }
    bool Step(double x) {
        trigger = false;
        level = smoother.Step(std::fabs(x));
        slope = static_cast<double>(rate) * slopeFilter.Step(level - previousLevel);
        if (slope > threshold && slope > peak) {
            peak = slope;
        }
        if (peak > 3 * lastPeak && !bigRiseBlocked && lastPeak > 0) {
            bigRise = true;
        }
        if (slope > threshold && armed &&
            (static_cast<double>(count) > static_cast<double>(rate) * minInterval || bigRise)) {
            trigger = true;
            armed = false;
            bigRise = false;
            bigRiseBlocked = true;
        }
        if (slope * previousSlope < 0 && slope < 0) {
            lastPeak = peak;
            peak = 0;
            armed = true;
            countResetPending = true;
            bigRiseBlocked = false;
        }
        if (slope > threshold && countResetPending) {
            count = 0;
            countResetPending = false;
        }
        if (slope != 0) {
            previousSlope = slope;
        }
        previousLevel = level;
        if (count != std::numeric_limits<std::int32_t>::max()) {
            count = count + 1;
        }
        return trigger;
    }
};

enum class Phase { Hold, Duck, Wait, Rise };

struct Envelope {
    double value = 1.0, duckStart = 1.0;
    std::int32_t riseLength = 10000;
    double holdLevel = 1.0;
    std::int32_t duckLength = 132, waitLength = 0;
    double riseCurve = 1.0;
    std::int32_t counter = 0;
    Phase phase = Phase::Hold;

    double Step(bool trigger) {
        if (trigger) {
            counter = 0;
            duckStart = value;
            phase = Phase::Duck;
        }
        switch (phase) {
        case Phase::Rise:
            value = std::pow(static_cast<double>(counter) / static_cast<double>(riseLength),
                             riseCurve * riseCurve);
            counter = counter + 1;
            if (counter >= riseLength) {
                phase = Phase::Hold;
                counter = 0;
            }
            break;
        case Phase::Hold:
            value = holdLevel;
            break;
        case Phase::Duck:
            value =
                (1 - static_cast<double>(counter) / static_cast<double>(duckLength)) * duckStart;
            counter = counter + 1;
            if (counter >= duckLength) {
                phase = Phase::Wait;
                counter = 0;
            }
            break;
        case Phase::Wait:
            counter = counter + 1;
            if (counter >= waitLength) {
                phase = Phase::Rise;
                counter = 0;
            }
            break;
        }
        if (std::fabs(value) > 1) {
            value = 1.0;
        }
        return value;
    }
};

struct Delay {
    std::int32_t length = 1500;
    std::vector<double> samples = std::vector<double>(1500, 0.0);

    void Write(const double* block, int m) {
        const int L = length;
        if (L > m) {
            for (int i = 0; i < L - m; ++i) {
                samples[i] = samples[i + m];
            }
            for (int i = 0; i < m; ++i) {
                samples[L - m + i] = block[i];
            }
        } else {
            for (int i = 0; i < L; ++i) {
                samples[i] = block[m - L + i];
            }
        }
    }
};

// The effect's processing state and parameter mapping, driven with plain parameter values.
class Swell {
public:
    // The construction-time values, at the 44100 Hz every instance starts with.
    Swell() {
        sampleRate_ = 44100.0;
        const double sr = std::trunc(sampleRate_);
        envelope_.duckLength = static_cast<std::int32_t>(std::trunc(sr * 0.003));
        detector_.SetSampleRate(sampleRate_);
        lookAhead_ = 1500;
        envelope_.waitLength = std::max(0, 1500 - envelope_.duckLength);
    }

    // What the host's effOpen does: every parameter at its default, in index order.
    void OpenWithDefaults() {
        const double defaults[5] = {0.7, 0.5, 0.75, 1.0, 1.0};
        for (int i = 0; i < 5; ++i) {
            SetParameter(i, defaults[i]);
        }
    }

    // The parameter mapping for a plain (non-normalised) value.
    void SetParameter(int index, double v) {
        values_[index] = v;
        switch (index) {
        case 0:
            detector_.threshold = std::exp(std::log(10.0) * (v * detector_.range / 20.0)) *
                                  (detector_.lowCutoff * detector_.thresholdScale);
            break;
        case 1:
            envelope_.riseLength = static_cast<std::int32_t>(
                std::trunc(std::trunc(sampleRate_) * std::pow(10.0, v * 3.0 - 2.0)));
            break;
        case 2:
            mix_ = std::exp(std::log(v) * 0.3333333333333333);
            lookAhead_ = std::min(static_cast<std::int32_t>(std::trunc(1500 * mix_)), 1500);
            envelope_.waitLength = std::max(0, lookAhead_ - envelope_.duckLength);
            break;
        case 3:
            volume_ = v;
            break;
        case 4:
            on_ = (v != 0);
            break;
        }
    }

    // The host set a new rate: the rate-dependent values follow, the running state stays.
    void SetSampleRate(double rate) {
        sampleRate_ = rate;
        const double sr = std::trunc(rate);
        detector_.SetSampleRate(rate);
        envelope_.duckLength = static_cast<std::int32_t>(std::trunc(sr * 0.003));
        envelope_.waitLength = std::max(0, lookAhead_ - envelope_.duckLength);
        SetParameter(1, values_[1]);
    }

    void Render(const double* const* inputs, double* const* outputs, int frames) {
        if (static_cast<int>(envelopeBuffer_.size()) != frames) {
            envelopeBuffer_.resize(static_cast<size_t>(frames));
        }
        for (int k = 0; k < frames; ++k) {
            const double x = (inputs[1][k] + inputs[0][k]) * 0.5;
            const bool trigger = detector_.Step(x);
            envelopeBuffer_[k] = envelope_.Step(trigger);
            if (trigger) {
                triggers_.push_back(position_ + k);
            }
        }
        position_ += frames;
        for (int j = 0; j < 2; ++j) {
            const double* in = inputs[j];
            double* out = outputs[j];
            if (on_) {
                const int n = lookAhead_;
                const int L = delays_[j].length;
                for (int k = 0; k < frames; ++k) {
                    const double src = k < n ? delays_[j].samples[L - n + k] : in[k - n];
                    out[k] = (mix_ * envelopeBuffer_[k] + (1 - mix_)) * (src * volume_);
                }
                delays_[j].Write(in, frames);
            } else {
                for (int k = 0; k < frames; ++k) {
                    out[k] = in[k];
                }
            }
        }
    }

    int Latency() const { return on_ ? lookAhead_ : 0; }
    // Stream positions (samples since construction) of every attack the detector fired on.
    const std::vector<long>& Triggers() const { return triggers_; }
    std::int32_t LookAhead() const { return lookAhead_; }
    double Mix() const { return mix_; }
    const Envelope& EnvelopeState() const { return envelope_; }
    const Detector& DetectorState() const { return detector_; }
    Detector& DetectorState() { return detector_; }

private:
    double sampleRate_ = 44100.0;
    double values_[5] = {0.7, 0.5, 0.75, 1.0, 1.0};
    double volume_ = 1.0;
    double mix_ = 1.0;
    bool on_ = true;
    std::int32_t lookAhead_ = 1500;
    std::vector<double> envelopeBuffer_;
    Envelope envelope_;
    Delay delays_[2];
    Detector detector_;
    long position_ = 0;
    std::vector<long> triggers_;
};

} // namespace reference
