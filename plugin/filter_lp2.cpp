#include "plugin/filter_lp2.h"

#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
}

FilterLP2::FilterLP2(double sampleRate, double cutoff, double quality)
    : fs_(sampleRate), q_(quality), fc_(cutoff) {
    UpdateCoefficients();
}

void FilterLP2::ProcessBlock(const double* input, double* output, int count) {
    for (int i = 0; i < count; ++i) {
        output[i] = Step(input[i]);
    }
}

void FilterLP2::ProcessBlock(const std::vector<double>& input, std::vector<double>& output) {
    const size_t count = output.size() < input.size() ? output.size() : input.size();
    for (size_t i = 0; i < count; ++i) {
        output[i] = Step(input[i]);
    }
}

void FilterLP2::SetSampleRate(double sampleRate) {
    fs_ = sampleRate;
    UpdateCoefficients();
}

void FilterLP2::SetCutoff(double cutoff) {
    fc_ = cutoff;
    UpdateCoefficients();
}

void FilterLP2::SetQuality(double quality) {
    q_ = quality;
    UpdateCoefficients();
}

// w = fc·π / Q, g = 1 / (w/fs + 1), k = (fc·2π / fs)², a1 = 2 − k, a2 = w/fs − 1.
void FilterLP2::UpdateCoefficients() {
    w_ = (fc_ * kPi) / q_;
    g_ = 1.0 / (w_ / fs_ + 1.0);
    const double omega = (fc_ * 2.0 * kPi) / fs_;
    k_ = omega * omega;
    a1_ = 2.0 - k_;
    a2_ = w_ / fs_ - 1.0;
}
