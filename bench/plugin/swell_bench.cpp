// Cost of the whole plug-in per stereo frame through the float replacing callback, as a host
// pays it, against the literal algorithm as the baseline; and a decaying tail into silence
// against a loud signal. The plug-in runs are timed through the effect record's callbacks
// called straight from the loop with pointer arrays, as a host's audio thread calls them: the
// bundled host's ProcessFloat checks its buffers on every call, which is the test host's cost,
// not the plug-in's.
#include "host/plugin_host.h"
#include "tests/plugin/flush_denormals.h"
#include "tests/plugin/reference_swell.h"
#include "tests/plugin/test_signals.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <xmmintrin.h>

namespace {

constexpr double Rate = 44100.0;

template <class Sample>
struct Stereo {
    std::vector<Sample> left;
    std::vector<Sample> right;
    size_t Frames() const { return left.size(); }
};
using FloatStereo = Stereo<float>;

// Cut to a whole number of 1024-frame blocks so every block size wraps cleanly.
FloatStereo ToFloat(const StereoSignal& s) {
    const size_t frames = s.left.size() / 1024 * 1024;
    FloatStereo f;
    f.left.assign(s.left.begin(), s.left.begin() + static_cast<long>(frames));
    f.right.assign(s.right.begin(), s.right.begin() + static_cast<long>(frames));
    return f;
}

// Music-like material at a healthy level: the notes of the tests, louder, over a noise floor.
const FloatStereo& Loud() {
    static const FloatStereo signal = [] {
        StereoSignal s = MusicLike(Rate);
        unsigned seed = 12345;
        for (size_t k = 0; k < s.left.size(); ++k) {
            seed = seed * 1664525u + 1013904223u;
            const double noise = (static_cast<double>(seed >> 8) / 16777216.0 - 0.5) * 0.1;
            s.left[k] = s.left[k] * 1.5 + noise;
            s.right[k] = s.right[k] * 1.5 - noise;
        }
        return ToFloat(s);
    }();
    return signal;
}

// One short note, then silence long enough for every filter state to decay through the
// denormal range (about 20 s for the 6 Hz smoother).
const FloatStereo& Tail() {
    static const FloatStereo signal =
        ToFloat(MakePlucks({{0, 0.8, 220.0, 0.01}}, static_cast<int>(30 * Rate), Rate));
    return signal;
}

void SetCounters(benchmark::State& state, int block) {
    const double frames = static_cast<double>(state.iterations()) * block;
    state.counters["frames/s"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["s/frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["xRealtime"] = benchmark::Counter(frames / Rate, benchmark::Counter::kIsRate);
}

// How the benchmark's audio thread treats denormals: as the process starts, or flushing them
// already, as many hosts' audio threads do (the plug-in then leaves the control word alone).
enum class HostThread { Default, Flushing };

// The record's replacing callback for the sample type.
void ProcessReplacing(AEffect* effect, float** inputs, float** outputs, int frames) {
    effect->processReplacing(effect, inputs, outputs, frames);
}
void ProcessReplacing(AEffect* effect, double** inputs, double** outputs, int frames) {
    effect->processDoubleReplacing(effect, inputs, outputs, frames);
}

template <class Sample>
void RunPlugin(benchmark::State& state, const Stereo<Sample>& signal, bool on,
               HostThread thread = HostThread::Default) {
    const int block = static_cast<int>(state.range(0));
    PluginHost host;
    if (!host.Load(DefaultPluginPath()) || !host.Open(Rate, block)) {
        state.SkipWithError("the plug-in could not be loaded");
        return;
    }
    if (!on) {
        host.SetParameter(4, 0.0f);
    }
    AEffect* effect = host.Effect();
    std::vector<Sample> outLeft(static_cast<size_t>(block));
    std::vector<Sample> outRight(static_cast<size_t>(block));
    const unsigned savedControl = _mm_getcsr();
    if (thread == HostThread::Flushing) {
        _mm_setcsr(savedControl | 0x8040u);
    }
    size_t position = 0;
    for (auto _ : state) {
        Sample* inputs[2] = {const_cast<Sample*>(signal.left.data() + position),
                             const_cast<Sample*>(signal.right.data() + position)};
        Sample* outputs[2] = {outLeft.data(), outRight.data()};
        ProcessReplacing(effect, inputs, outputs, block);
        benchmark::DoNotOptimize(outLeft.data());
        position += static_cast<size_t>(block);
        if (position + static_cast<size_t>(block) > signal.Frames()) {
            position = 0;
        }
    }
    _mm_setcsr(savedControl);
    SetCounters(state, block);
}

// The literal algorithm with the same float conversions the framework makes, denormals flushed
// as the plug-in's callbacks do (or not, to show what flushing saves).
void RunReference(benchmark::State& state, const FloatStereo& signal, bool flush) {
    const int block = static_cast<int>(state.range(0));
    reference::Swell swell;
    swell.OpenWithDefaults();
    std::vector<double> inLeft(static_cast<size_t>(block)), inRight(static_cast<size_t>(block));
    std::vector<double> outLeft(static_cast<size_t>(block)), outRight(static_cast<size_t>(block));
    std::vector<float> hostLeft(static_cast<size_t>(block)), hostRight(static_cast<size_t>(block));
    size_t position = 0;
    for (auto _ : state) {
        const unsigned saved = _mm_getcsr();
        if (flush) {
            _mm_setcsr(saved | 0x8040u);
        }
        for (int k = 0; k < block; ++k) {
            inLeft[static_cast<size_t>(k)] = signal.left[position + static_cast<size_t>(k)];
            inRight[static_cast<size_t>(k)] = signal.right[position + static_cast<size_t>(k)];
        }
        const double* inputs[2] = {inLeft.data(), inRight.data()};
        double* outputs[2] = {outLeft.data(), outRight.data()};
        swell.Render(inputs, outputs, block);
        for (int k = 0; k < block; ++k) {
            hostLeft[static_cast<size_t>(k)] = static_cast<float>(outLeft[static_cast<size_t>(k)]);
            hostRight[static_cast<size_t>(k)] =
                static_cast<float>(outRight[static_cast<size_t>(k)]);
        }
        _mm_setcsr(saved);
        benchmark::DoNotOptimize(hostLeft.data());
        position += static_cast<size_t>(block);
        if (position + static_cast<size_t>(block) > signal.Frames()) {
            position = 0;
        }
    }
    SetCounters(state, block);
}

void BM_Plugin(benchmark::State& state) {
    RunPlugin(state, Loud(), true);
}
void BM_PluginOff(benchmark::State& state) {
    RunPlugin(state, Loud(), false);
}
void BM_LiteralBaseline(benchmark::State& state) {
    RunReference(state, Loud(), true);
}
// The loud signal as doubles, through the double replacing callback.
const Stereo<double>& LoudDouble() {
    static const Stereo<double> signal = [] {
        const FloatStereo& loud = Loud();
        return Stereo<double>{{loud.left.begin(), loud.left.end()},
                              {loud.right.begin(), loud.right.end()}};
    }();
    return signal;
}

void BM_PluginDouble(benchmark::State& state) {
    RunPlugin(state, LoudDouble(), true);
}
void BM_PluginFlushingHost(benchmark::State& state) {
    RunPlugin(state, Loud(), true, HostThread::Flushing);
}
void BM_PluginTail(benchmark::State& state) {
    RunPlugin(state, Tail(), true);
}
void BM_LiteralTailWithoutFlush(benchmark::State& state) {
    RunReference(state, Tail(), false);
}

} // namespace

BENCHMARK(BM_Plugin)->Arg(16)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(BM_PluginOff)->Arg(16)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(BM_LiteralBaseline)->Arg(16)->Arg(64)->Arg(256)->Arg(1024);
BENCHMARK(BM_PluginDouble)->Arg(16)->Arg(1024);
BENCHMARK(BM_PluginFlushingHost)->Arg(16)->Arg(1024);
BENCHMARK(BM_PluginTail)->Arg(64)->Arg(1024);
BENCHMARK(BM_LiteralTailWithoutFlush)->Arg(64)->Arg(1024);

BENCHMARK_MAIN();
