// The inputs the battery feeds: white noise, silence, the smallest normal float with random signs
// (which drives filters into the denormal range) and a full-scale square wave.
#pragma once

#include <cstdint>
#include <vector>

namespace battery {

template <typename T>
using Stream = std::vector<std::vector<T>>; // one run of samples per channel

enum class Signal { Noise, Silence, TinyValues, Square };

constexpr Signal kAllSignals[] = {Signal::Noise, Signal::Silence, Signal::TinyValues,
                                  Signal::Square};

const char* SignalName(Signal signal);

// `frames` samples on each of `channels` channels; the same arguments give the same samples.
Stream<float> MakeSignal(Signal signal, int channels, int frames, double sampleRate,
                         std::uint32_t seed);

// Float denormals (magnitudes below FLT_MIN, random signs) and their double counterpart below
// DBL_MIN: what the cost check compares against noise.
Stream<float> MakeFloatDenormals(int channels, int frames, std::uint32_t seed);
Stream<double> MakeDoubleDenormals(int channels, int frames, std::uint32_t seed);

template <typename To, typename From>
Stream<To> Convert(const Stream<From>& stream) {
    Stream<To> result;
    for (const auto& channel : stream) {
        result.emplace_back(channel.begin(), channel.end());
    }
    return result;
}

} // namespace battery
