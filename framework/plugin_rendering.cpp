// The base's rendering: pass-through defaults and the float paths between the host's float
// buffers and the channels' double scratch. Everything here runs on the audio thread and never
// allocates.
#include "framework/plugin_core.h"

#include <algorithm>
#include <cstring>

namespace {

template <class Sample>
void PassThrough(Sample** inputs, Sample** outputs, int inputCount, int outputCount, int frames) {
    if (outputs == nullptr || frames <= 0) {
        return;
    }
    const auto bytes = static_cast<std::size_t>(frames) * sizeof(Sample);
    for (int i = 0; i < outputCount; ++i) {
        Sample* out = outputs[i];
        if (out == nullptr) {
            continue;
        }
        const Sample* in = inputs != nullptr && i < inputCount ? inputs[i] : nullptr;
        if (in == nullptr) {
            std::memset(out, 0, bytes);
        } else if (in != out) {
            std::memmove(out, in, bytes);
        }
    }
}

} // namespace

void PluginCore::RenderDouble(double** inputs, double** outputs, int frames) {
    PassThrough(inputs, outputs, InputChannelCount(), OutputChannelCount(), frames);
}

void PluginCore::RenderSingle(float** inputs, float** outputs, int frames) {
    PassThrough(inputs, outputs, InputChannelCount(), OutputChannelCount(), frames);
}

int PluginCore::FloatFrames(int frames) const {
    return std::clamp(frames, 0, blockSize_);
}

namespace {

// A host that hands no buffer for a connected input gets silence rather than a crash.
void WidenInto(double* scratch, const float* source, int frames) {
    if (source == nullptr) {
        std::fill(scratch, scratch + frames, 0.0);
        return;
    }
    for (int k = 0; k < frames; ++k) {
        scratch[k] = static_cast<double>(source[k]);
    }
}

struct ReplaceSample {
    void operator()(float& destination, double result) const {
        destination = static_cast<float>(result);
    }
};

struct AccumulateSample {
    void operator()(float& destination, double result) const {
        destination = static_cast<float>(result) + destination;
    }
};

// Hands every connected output's result to the host buffer it was routed to.
template <class Store>
void StoreFloatOutputs(PluginCore& core, int frames, Store store) {
    const int channels = core.OutputChannelCount();
    for (int i = 0; i < channels; ++i) {
        const OutputChannel* channel = core.Output(i);
        const double* result = *channel->slot;
        float* destination = channel->hostDestination;
        if (!channel->connected || result == nullptr || destination == nullptr) {
            continue;
        }
        for (int k = 0; k < frames; ++k) {
            store(destination[k], result[k]);
        }
    }
}

} // namespace

void PluginCore::LoadFloatInputs(float** hostInputs, int count, int frames) {
    frames = FloatFrames(frames);
    const int channels = std::min(count, InputChannelCount());
    int next = 0;
    for (int i = 0; i < channels; ++i) {
        InputChannel* channel = Input(i);
        if (!channel->connected) {
            continue; // keeps its slot on its own scratch and takes no host buffer
        }
        const float* source = hostInputs != nullptr ? hostInputs[next] : nullptr;
        ++next;
        double* scratch = channel->Scratch();
        if (scratch == nullptr) {
            continue;
        }
        WidenInto(scratch, source, frames);
        *channel->slot = scratch;
    }
}

void PluginCore::RenderReplacingFloat(int frames) {
    frames = FloatFrames(frames);
    RenderDouble(InputSlots(), OutputSlots(), frames);
    StoreFloatOutputs(*this, frames, ReplaceSample{});
}

void PluginCore::RenderAccumulatingFloat(int frames) {
    frames = FloatFrames(frames);
    RenderDouble(InputSlots(), OutputSlots(), frames);
    StoreFloatOutputs(*this, frames, AccumulateSample{});
}
