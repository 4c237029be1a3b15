// Drives the built plug-in through the bundled host the way a host does, and runs the literal
// reference on the same material for comparison.
#pragma once

#include "host/plugin_host.h"
#include "tests/plugin/flush_denormals.h"
#include "tests/plugin/reference_swell.h"
#include "tests/plugin/test_signals.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

enum ParamIndex { Sensitivity = 0, Time = 1, Depth = 2, Vol = 3, OnOff = 4 };

// The factory presets a user is promised, in plain parameter values.
struct ExpectedPreset {
    const char* name;
    double values[5];
};
constexpr ExpectedPreset FactoryPresets[6] = {
    {"Init", {0.7, 0.5, 0.75, 1.0, 1}},
    {"Swell on Accent", {0.5, 0.5, 0.75, 1.0, 1}},
    {"Funked Swell", {0.35, 0.431, 0.5, 1.0, 1}},
    {"Arpeggio", {0.676, 0.433, 1.0, 1.0, 1}},
    {"Long Ambient Chords", {0.44, 0.612, 1.0, 1.0, 1}},
    {"Before Overdrive", {0.5, 0.772, 1.0, 1.0, 1}},
};

inline int LatencyAfterNextBlock(PluginHost& host) {
    double silence[1] = {0.0};
    const double* inputs[2] = {silence, silence};
    double* outputs[2] = {silence, silence};
    host.ProcessDoubleReplacing(inputs, outputs, 0);
    return host.Effect()->initialDelay;
}

class Session {
public:
    explicit Session(double rate = 44100.0, int blockSize = 1024) {
        loaded_ = host_.Load(DefaultPluginPath()) && host_.Open(rate, blockSize);
    }

    bool Loaded() const { return loaded_; }
    PluginHost& Host() { return host_; }
    // The latency the host reads once the next block has begun: the effect hears of parameter
    // changes there (an empty block here).
    int Latency() { return LatencyAfterNextBlock(host_); }

    // Feeds the signal through processDoubleReplacing in blocks whose sizes cycle through
    // `blocks`, continuing the stream from earlier calls.
    StereoSignal RenderDouble(const StereoSignal& in, const std::vector<int>& blocks = {1024}) {
        StereoSignal out;
        out.left.assign(in.left.size(), -7.0);
        out.right.assign(in.right.size(), -7.0);
        int offset = 0;
        size_t next = 0;
        while (offset < in.Frames()) {
            const int frames = std::min(blocks[next % blocks.size()], in.Frames() - offset);
            ++next;
            const double* inputs[2] = {in.left.data() + offset, in.right.data() + offset};
            double* outputs[2] = {out.left.data() + offset, out.right.data() + offset};
            host_.ProcessDoubleReplacing(inputs, outputs, frames);
            offset += frames;
        }
        return out;
    }

    // The same through processReplacing with float buffers; the result is widened back.
    StereoSignal RenderFloat(const StereoSignal& in, int block = 1024) {
        const size_t n = in.left.size();
        std::vector<float> inL(n), inR(n), outL(n, -7.f), outR(n, -7.f);
        for (size_t k = 0; k < n; ++k) {
            inL[k] = static_cast<float>(in.left[k]);
            inR[k] = static_cast<float>(in.right[k]);
        }
        for (size_t offset = 0; offset < n; offset += static_cast<size_t>(block)) {
            const int frames = static_cast<int>(std::min(n - offset, static_cast<size_t>(block)));
            const float* inputs[2] = {inL.data() + offset, inR.data() + offset};
            float* outputs[2] = {outL.data() + offset, outR.data() + offset};
            host_.ProcessReplacing(inputs, outputs, frames);
        }
        StereoSignal out;
        out.left.assign(outL.begin(), outL.end());
        out.right.assign(outR.begin(), outR.end());
        return out;
    }

private:
    PluginHost host_;
    bool loaded_ = false;
};

// The reference as a host would have left it after effOpen (every parameter at its default).
inline reference::Swell OpenedReference() {
    reference::Swell swell;
    swell.OpenWithDefaults();
    return swell;
}

// Runs the reference with denormals flushed, as the plug-in's process callbacks run.
inline StereoSignal RenderReference(reference::Swell& swell, const StereoSignal& in,
                                    int block = 1024) {
    FlushDenormals flush;
    StereoSignal out;
    out.left.assign(in.left.size(), 0.0);
    out.right.assign(in.right.size(), 0.0);
    for (int offset = 0; offset < in.Frames(); offset += block) {
        const int frames = std::min(block, in.Frames() - offset);
        const double* inputs[2] = {in.left.data() + offset, in.right.data() + offset};
        double* outputs[2] = {out.left.data() + offset, out.right.data() + offset};
        swell.Render(inputs, outputs, frames);
    }
    return out;
}

// Float material as the float path sees it: every sample rounded to float and widened again.
inline StereoSignal RoundedToFloat(const StereoSignal& in) {
    StereoSignal r = in;
    for (double& x : r.left) {
        x = static_cast<float>(x);
    }
    for (double& x : r.right) {
        x = static_cast<float>(x);
    }
    return r;
}

inline StereoSignal NarrowedToFloat(const StereoSignal& in) {
    return RoundedToFloat(in);
}

// Index of the first sample where the two signals differ in any bit, or -1.
inline long FirstDifference(const StereoSignal& a, const StereoSignal& b) {
    if (a.left.size() != b.left.size()) {
        return 0;
    }
    for (size_t k = 0; k < a.left.size(); ++k) {
        if (std::memcmp(&a.left[k], &b.left[k], sizeof(double)) != 0 ||
            std::memcmp(&a.right[k], &b.right[k], sizeof(double)) != 0) {
            return static_cast<long>(k);
        }
    }
    return -1;
}

// Sets a parameter the way a host does, from a normalised value.
inline void SetNormalised(Session& session, ParamIndex index, float value) {
    session.Host().SetParameter(index, value);
}
