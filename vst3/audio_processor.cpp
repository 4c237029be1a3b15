// IAudioProcessor: mono or stereo in to the same out, 32- and 64-bit samples, and process() with
// the block cut at every parameter change so each lands on its own sample.
#include "framework/realtime_checks.h"
#include "platform/denormal_guard.h"
#include "vst3/vst3_plugin.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vst3 {

namespace {

int ChannelsOf(SpeakerArrangement arrangement) {
    if (arrangement == SpeakerArr::kMono) {
        return 1;
    }
    return arrangement == SpeakerArr::kStereo ? 2 : 0;
}

template <typename Sample>
bool BuffersPresent(Sample* const* buffers, int channels) {
    if (buffers == nullptr) {
        return false;
    }
    for (int c = 0; c < channels; ++c) {
        if (buffers[c] == nullptr) {
            return false;
        }
    }
    return true;
}

// audio thread. Samples to render and a buffer for each of our channels both ways; anything
// less is a parameter flush (or a broken call) and renders nothing.
bool CarriesAudio(const ProcessData& data, int channels, bool wide) {
    if (data.numSamples <= 0 || data.numInputs < 1 || data.numOutputs < 1 ||
        data.inputs == nullptr || data.outputs == nullptr ||
        data.inputs[0].numChannels < channels || data.outputs[0].numChannels < channels) {
        return false;
    }
    return wide ? BuffersPresent(data.inputs[0].channelBuffers64, channels) &&
                      BuffersPresent(data.outputs[0].channelBuffers64, channels)
                : BuffersPresent(data.inputs[0].channelBuffers32, channels) &&
                      BuffersPresent(data.outputs[0].channelBuffers32, channels);
}

} // namespace

void Vst3Plugin::ConnectChannels(int channels) {
    channels_ = channels;
    for (int i = 0; i < effect_->InputChannelCount(); ++i) {
        effect_->Input(i)->connected = i < channels;
    }
    for (int i = 0; i < effect_->OutputChannelCount(); ++i) {
        effect_->Output(i)->connected = i < channels;
    }
}

// One input and one output bus with the same layout, mono or stereo; anything else is refused
// and the buses stay as they were.
tresult Vst3Plugin::setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                       SpeakerArrangement* outputs, int32 numOuts) {
    if (numIns != 1 || numOuts != 1 || inputs == nullptr || outputs == nullptr ||
        inputs[0] != outputs[0]) {
        return kResultFalse;
    }
    const int channels = ChannelsOf(inputs[0]);
    InstanceHold hold(effect_->Lock());
    if (channels == 0 || active_ || !effect_->LegalIO(channels, channels)) {
        return kResultFalse;
    }
    ConnectChannels(channels);
    return kResultOk;
}

tresult Vst3Plugin::getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) {
    if ((dir != kInput && dir != kOutput) || index != 0) {
        return kInvalidArgument;
    }
    arr = channels_ == 1 ? SpeakerArr::kMono : SpeakerArr::kStereo;
    return kResultOk;
}

tresult Vst3Plugin::canProcessSampleSize(int32 symbolicSampleSize) {
    return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue
                                                                              : kResultFalse;
}

// The next block's latency: a host reading it on our restart gets the new value even before the
// audio thread has taken the change.
uint32 Vst3Plugin::getLatencySamples() {
    InstanceHold hold(effect_->Lock());
    return static_cast<uint32>(std::max(effect_->PendingLatency(), 0));
}

uint32 Vst3Plugin::getTailSamples() {
    InstanceHold hold(effect_->Lock());
    return static_cast<uint32>(std::max(effect_->TailSize(), 0));
}

// A rate that is not a positive finite number, an unknown sample size or a block size the effect
// cannot hold is refused with the set-up as it was.
tresult Vst3Plugin::setupProcessing(ProcessSetup& setup) {
    if (!std::isfinite(setup.sampleRate) || setup.sampleRate <= 0.0 ||
        canProcessSampleSize(setup.symbolicSampleSize) != kResultTrue ||
        setup.maxSamplesPerBlock <= 0 || setup.maxSamplesPerBlock > PluginCore::MaxBlockLength) {
        return kResultFalse;
    }
    InstanceHold hold(effect_->Lock());
    if (active_ || !effect_->SetBlockLength(setup.maxSamplesPerBlock)) {
        return kResultFalse;
    }
    sampleSize_ = setup.symbolicSampleSize;
    processMode_ = setup.processMode;
    effect_->SetSampleRate(setup.sampleRate);
    effect_->ClearState();
    return kResultOk;
}

tresult Vst3Plugin::setProcessing(TBool state) {
    processing_.store(state != 0, std::memory_order_release);
    return kResultOk;
}

// audio thread
void Vst3Plugin::ApplyChange(const ChangePoint& point) {
    if (point.id < static_cast<ParamID>(effect_->ParamCount())) {
        SetNormalised(static_cast<int>(point.id), point.value);
    } else if (point.id == ProgramParamId) {
        // The preset's values from the lock-free copy; which preset is current is settled on the
        // UI thread (the list, its names and the host's display are the UI thread's).
        const int preset = ProgramFor(point.value);
        if (programs_.Apply(*effect_, preset)) {
            programFromAudio_.store(preset, std::memory_order_release);
        }
    }
}

// audio thread. Every input is read into scratch before any output is written, so a host passing
// the same buffer as input and output gets the result of separate buffers.
void Vst3Plugin::RenderFloatPiece(float* const* in, float* const* out, int offset, int frames) {
    for (int c = 0; c < channels_; ++c) {
        floatPieces_[c] = in[c] + offset;
    }
    effect_->LoadFloatInputs(floatPieces_, channels_, frames);
    for (int c = 0; c < channels_; ++c) {
        OutputChannel* channel = effect_->Output(c);
        *channel->slot = channel->Scratch();
        channel->hostDestination = out[c] + offset;
    }
    effect_->RenderReplacingFloat(frames);
}

// audio thread
void Vst3Plugin::RenderDoublePiece(double* const* in, double* const* out, int offset, int frames) {
    for (int c = 0; c < channels_; ++c) {
        InputChannel* channel = effect_->Input(c);
        std::memcpy(channel->Scratch(), in[c] + offset,
                    sizeof(double) * static_cast<size_t>(frames));
        *channel->slot = channel->Scratch();
        *effect_->Output(c)->slot = out[c] + offset;
    }
    effect_->RenderDouble(effect_->InputSlots(), effect_->OutputSlots(), frames);
}

// audio thread. [start, start + frames) in pieces of at most the effect's block size.
template <typename Sample>
void Vst3Plugin::RenderSpan(AudioBusBuffers& in, AudioBusBuffers& out, int start, int frames) {
    effect_->ApplyPendingParams(); // the changes up to here take effect from this sample
    const int piece = effect_->BlockSize();
    for (int offset = start; offset < start + frames; offset += piece) {
        const int length = std::min(piece, start + frames - offset);
        if constexpr (std::is_same_v<Sample, float>) {
            RenderFloatPiece(in.channelBuffers32, out.channelBuffers32, offset, length);
        } else {
            RenderDoublePiece(in.channelBuffers64, out.channelBuffers64, offset, length);
        }
    }
}

// audio thread. A call with no samples (or no buses) only takes the parameter changes.
tresult Vst3Plugin::process(ProcessData& data) {
    AudioCallbackScope realtime; // the counting build counts what happens inside
    DenormalGuard denormals;     // no lock: values are atomics the effect takes at each span
    changes_.Gather(data.inputParameterChanges, data.numSamples);
    context_ = data.processContext;
    const bool wide = data.symbolicSampleSize == kSample64;
    const bool haveAudio = effect_->BlockSize() > 0 && CarriesAudio(data, channels_, wide);
    int done = 0;
    for (int i = 0; i < changes_.Count(); ++i) {
        const ChangePoint& point = changes_.At(i);
        if (haveAudio && point.offset > done) {
            wide ? RenderSpan<double>(data.inputs[0], data.outputs[0], done, point.offset - done)
                 : RenderSpan<float>(data.inputs[0], data.outputs[0], done, point.offset - done);
            done = point.offset;
        }
        ApplyChange(point);
    }
    if (haveAudio && done < data.numSamples) {
        wide ? RenderSpan<double>(data.inputs[0], data.outputs[0], done, data.numSamples - done)
             : RenderSpan<float>(data.inputs[0], data.outputs[0], done, data.numSamples - done);
    }
    if (haveAudio) {
        data.outputs[0].silenceFlags = 0;
    }
    effect_->ApplyPendingParams(); // a call without audio still takes the changes
    context_ = nullptr;
    return kResultOk;
}

} // namespace vst3
