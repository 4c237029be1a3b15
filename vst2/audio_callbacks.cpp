// The three process callbacks of the effect record. The static forwarders only find the instance;
// the member functions move the host's samples through the base in pieces of at most the block
// size, because the channel scratch buffers hold exactly that many samples.
#include "framework/realtime_checks.h"
#include "platform/denormal_guard.h"
#include "vst2/vst2_plugin.h"

#include <algorithm>
#include <cstring>

namespace {

Vst2Plugin* Instance(AEffect* effect) {
    return effect != nullptr ? static_cast<Vst2Plugin*>(effect->object) : nullptr;
}

// True when `pointer` is one of the first `count` host output pointers (a null output never
// matches).
bool IsOutputBuffer(const double* pointer, double* const* outputs, int count) {
    for (int i = 0; i < count; ++i) {
        if (outputs[i] == pointer) {
            return true;
        }
    }
    return false;
}

} // namespace

// audio thread
void Vst2Plugin::VSTAccumulateBlock(AEffect* effect, float** inputs, float** outputs,
                                    VstInt32 frames) {
    if (Vst2Plugin* plugin = Instance(effect)) {
        plugin->ProcessFloat(inputs, outputs, frames, true);
    }
}

// audio thread
void Vst2Plugin::VSTReplaceBlock(AEffect* effect, float** inputs, float** outputs,
                                 VstInt32 frames) {
    if (Vst2Plugin* plugin = Instance(effect)) {
        plugin->ProcessFloat(inputs, outputs, frames, false);
    }
}

// audio thread
void Vst2Plugin::VSTReplaceBlockDouble(AEffect* effect, double** inputs, double** outputs,
                                       VstInt32 frames) {
    if (Vst2Plugin* plugin = Instance(effect)) {
        plugin->ProcessDouble(inputs, outputs, frames);
    }
}

// audio thread. Flushed denormals and the real-time counters cover the whole callback, which
// takes no lock: parameter changes that arrived since the last block are applied first, and
// blocks longer than the block size run in pieces that fit the scratch buffers.
template <typename RenderPiece>
void Vst2Plugin::RunInPieces(int frames, bool haveBuffers, RenderPiece renderPiece) {
    AudioCallbackScope realtime;
    DenormalGuard denormals;
    core_->ApplyPendingParams();
    if (core_->DoesMidi()) {
        CallHost(audioMasterWantMidi);
    }
    const int piece = core_->BlockSize();
    if (frames <= 0 || piece <= 0 || !haveBuffers) {
        return;
    }
    for (int offset = 0; offset < frames; offset += piece) {
        renderPiece(offset, std::min(piece, frames - offset));
    }
}

// audio thread. Every input is read into scratch before any output is written, piece by piece,
// so a host passing the same buffer as input and output gets the result of separate buffers.
void Vst2Plugin::ProcessFloat(float** inputs, float** outputs, int frames, bool accumulate) {
    const bool haveBuffers = inputs != nullptr && outputs != nullptr;
    RunInPieces(frames, haveBuffers, [&](int offset, int length) {
        core_->LoadFloatInputs(FloatInputPiece(inputs, offset), core_->InputChannelCount(), length);
        RouteFloatOutputs(outputs, offset);
        if (accumulate) {
            core_->RenderAccumulatingFloat(length);
        } else {
            core_->RenderReplacingFloat(length);
        }
    });
}

// audio thread. Only connected channels take a host pointer, in channel order. The first piece
// reads the host's own pointers; later ones get them advanced to the piece.
float** Vst2Plugin::FloatInputPiece(float** inputs, int offset) {
    if (offset == 0) {
        return inputs;
    }
    int taken = 0;
    for (int i = 0; i < core_->InputChannelCount(); ++i) {
        if (core_->Input(i)->connected) {
            float* host = inputs[taken];
            floatInputPieces_[static_cast<size_t>(taken)] =
                host != nullptr ? host + offset : nullptr;
            ++taken;
        }
    }
    return floatInputPieces_.data();
}

// audio thread. Connected outputs render into their scratch and go to the host's buffers.
void Vst2Plugin::RouteFloatOutputs(float** outputs, int offset) {
    int taken = 0;
    for (int i = 0; i < core_->OutputChannelCount(); ++i) {
        OutputChannel* channel = core_->Output(i);
        if (channel->connected) {
            *channel->slot = channel->Scratch();
            float* host = outputs[taken];
            channel->hostDestination = host != nullptr ? host + offset : nullptr;
            ++taken;
        }
    }
}

// audio thread. Host pointers go to the effect as they are, except an input that is also an
// output: the effect may read input samples after it has written outputs, so that input is
// first copied into its channel's scratch.
void Vst2Plugin::ProcessDouble(double** inputs, double** outputs, int frames) {
    const bool haveBuffers = inputs != nullptr && outputs != nullptr;
    RunInPieces(frames, haveBuffers, [&](int offset, int length) {
        const int outputsTaken = RouteDoubleOutputs(outputs, offset);
        RouteDoubleInputs(inputs, outputs, outputsTaken, offset, length);
        core_->RenderDouble(core_->InputSlots(), core_->OutputSlots(), length);
    });
}

// audio thread. Answers how many host output pointers the connected outputs took.
int Vst2Plugin::RouteDoubleOutputs(double** outputs, int offset) {
    int taken = 0;
    for (int i = 0; i < core_->OutputChannelCount(); ++i) {
        OutputChannel* channel = core_->Output(i);
        if (channel->connected) {
            // A missing host buffer gets the channel's scratch, and the result is dropped.
            double* host = outputs[taken];
            *channel->slot = host != nullptr ? host + offset : channel->Scratch();
            ++taken;
        }
    }
    return taken;
}

// audio thread
void Vst2Plugin::RouteDoubleInputs(double** inputs, double** outputs, int outputsTaken, int offset,
                                   int frames) {
    int taken = 0;
    for (int i = 0; i < core_->InputChannelCount(); ++i) {
        InputChannel* channel = core_->Input(i);
        if (!channel->connected) {
            continue;
        }
        double* host = inputs[taken];
        const size_t bytes = sizeof(double) * static_cast<size_t>(frames);
        if (host == nullptr) {
            std::memset(channel->Scratch(), 0, bytes); // a missing host buffer reads as silence
            *channel->slot = channel->Scratch();
        } else if (IsOutputBuffer(host, outputs, outputsTaken)) {
            std::memcpy(channel->Scratch(), host + offset, bytes);
            *channel->slot = channel->Scratch();
        } else {
            *channel->slot = host + offset;
        }
        ++taken;
    }
}
