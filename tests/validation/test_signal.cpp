#include "tests/validation/test_signal.h"

#include <cfloat>
#include <cmath>
#include <random>

namespace battery {

const char* SignalName(Signal signal) {
    switch (signal) {
    case Signal::Noise:
        return "white noise";
    case Signal::Silence:
        return "silence";
    case Signal::TinyValues:
        return "+-FLT_MIN";
    case Signal::Square:
        return "full-scale square";
    }
    return "?";
}

Stream<float> MakeSignal(Signal signal, int channels, int frames, double sampleRate,
                         std::uint32_t seed) {
    Stream<float> stream(static_cast<size_t>(channels),
                         std::vector<float>(static_cast<size_t>(frames)));
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> noise(-1.f, 1.f);
    // A 110 Hz square wave whose half period is at least one sample at any rate.
    const double halfPeriod = std::max(1.0, sampleRate / 220.0);
    for (int c = 0; c < channels; ++c) {
        auto& samples = stream[static_cast<size_t>(c)];
        for (int i = 0; i < frames; ++i) {
            float value = 0.f;
            switch (signal) {
            case Signal::Noise:
                value = noise(random);
                break;
            case Signal::Silence:
                break;
            case Signal::TinyValues:
                value = (random() & 1u) != 0 ? FLT_MIN : -FLT_MIN;
                break;
            case Signal::Square:
                value = (static_cast<long>(std::floor((i + 17 * c) / halfPeriod)) % 2) == 0 ? 1.f
                                                                                            : -1.f;
                break;
            }
            samples[static_cast<size_t>(i)] = value;
        }
    }
    return stream;
}

namespace {

template <typename T>
Stream<T> Denormals(int channels, int frames, std::uint32_t seed, T smallestNormal) {
    Stream<T> stream(static_cast<size_t>(channels), std::vector<T>(static_cast<size_t>(frames)));
    std::mt19937 random(seed);
    for (auto& channel : stream) {
        for (T& value : channel) {
            const unsigned bits = random();
            // Between smallestNormal / 2 and smallestNormal / 2^20: denormal, never zero.
            value = std::ldexp(smallestNormal, -1 - static_cast<int>(bits % 20u));
            if ((bits & 0x100000u) != 0) {
                value = -value;
            }
        }
    }
    return stream;
}

} // namespace

Stream<float> MakeFloatDenormals(int channels, int frames, std::uint32_t seed) {
    return Denormals<float>(channels, frames, seed, FLT_MIN);
}

Stream<double> MakeDoubleDenormals(int channels, int frames, std::uint32_t seed) {
    return Denormals<double>(channels, frames, seed, DBL_MIN);
}

} // namespace battery
