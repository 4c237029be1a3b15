// The audio path: the block is cut at every parameter event's sample offset, so a change takes
// effect exactly there; each span runs through the effect in pieces the channel scratch holds.
// 32-bit buffers are widened into the scratch and narrowed back; 64-bit buffers are used in place,
// except an input that is also an output, which is copied first.
#include "clap/clap_plugin.h"
#include "platform/denormal_guard.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int EffectChannels = 2; // the effect reads and writes two channels

// The host's channel c of a buffer, or null when the buffer lacks it.
template <typename Sample>
Sample* HostChannel(Sample** data, const clap_audio_buffer* buffer, int c, int limit) {
    if (buffer == nullptr || data == nullptr || c >= static_cast<int>(buffer->channel_count) ||
        c >= limit) {
        return nullptr;
    }
    return data[c];
}

bool IsAnyOf(const double* pointer, double* const* list, int count) {
    for (int i = 0; i < count; ++i) {
        if (list[i] == pointer) {
            return true;
        }
    }
    return false;
}

} // namespace

// audio thread, no lock taken: parameter values are atomics whose changes the effect takes at each
// span (ApplyPendingParams), and what the instance lock guards never changes while the host
// processes. Host events come in time order; one with an earlier time than the last is applied
// where the block has got to.
clap_process_status ClapPlugin::Process(const clap_process& process) {
    DenormalGuard denormals;
    const clap_input_events* in = process.in_events;
    const std::uint32_t count = in != nullptr && in->size != nullptr ? in->size(in) : 0;
    std::uint32_t next = 0;
    std::uint32_t done = 0;
    for (bool last = false; !last;) {
        const clap_event_header* batch[EventBatch];
        std::uint32_t taken = 0;
        next += TakeEvents(in, next, count, batch, taken);
        last = next >= count;
        transport_ = process.transport;
        for (std::uint32_t i = 0; i < taken; ++i) {
            const std::uint32_t at = std::min(batch[i]->time, process.frames_count);
            if (at > done) {
                RenderSpan(process, done, at - done);
                done = at;
            }
            ApplyEvent(*batch[i]);
        }
        if (last && done < process.frames_count) {
            RenderSpan(process, done, process.frames_count - done);
        }
        transport_ = nullptr;
    }
    core_->ApplyPendingParams(); // a call without audio still takes the changes
    EmitEditorEvents(process.out_events);
    AskForRestart(false);
    return CLAP_PROCESS_CONTINUE;
}

// audio thread
void ClapPlugin::RenderSpan(const clap_process& process, std::uint32_t offset,
                            std::uint32_t frames) {
    core_->ApplyPendingParams(); // the changes up to here take effect from this sample
    const auto piece = static_cast<std::uint32_t>(core_->BlockSize());
    if (piece == 0 || process.audio_outputs_count == 0 || process.audio_outputs == nullptr) {
        return;
    }
    const clap_audio_buffer* in = process.audio_inputs_count > 0 ? process.audio_inputs : nullptr;
    const clap_audio_buffer* out = process.audio_outputs;
    for (std::uint32_t done = 0; done < frames;) {
        const std::uint32_t length = std::min(piece, frames - done);
        RenderPiece(in, out, offset + done, static_cast<int>(length));
        done += length;
    }
}

// audio thread. Channels the host does not give read silence and write into
// the channel's scratch, which nobody reads.
void ClapPlugin::RenderPiece(const clap_audio_buffer* in, const clap_audio_buffer* out,
                             std::uint32_t offset, int frames) {
    double* outputs[EffectChannels] = {};
    double* inputs[EffectChannels] = {};
    double* hostOutputs64[EffectChannels] = {};
    for (int c = 0; c < EffectChannels; ++c) {
        double* host = HostChannel(out->data64, out, c, channels_);
        hostOutputs64[c] = host != nullptr ? host + offset : nullptr;
        outputs[c] = host != nullptr ? host + offset : core_->Output(c)->Scratch();
    }
    const size_t bytes = sizeof(double) * static_cast<size_t>(frames);
    for (int c = 0; c < EffectChannels; ++c) {
        double* scratch = core_->Input(c)->Scratch();
        inputs[c] = scratch;
        if (double* host = HostChannel(in != nullptr ? in->data64 : nullptr, in, c, channels_)) {
            if (IsAnyOf(host + offset, hostOutputs64, EffectChannels)) {
                std::memcpy(scratch, host + offset, bytes);
            } else {
                inputs[c] = host + offset;
            }
        } else if (const float* narrow =
                       HostChannel(in != nullptr ? in->data32 : nullptr, in, c, channels_)) {
            std::copy(narrow + offset, narrow + offset + frames, scratch);
        } else {
            std::memset(scratch, 0, bytes);
        }
    }
    core_->RenderDouble(inputs, outputs, frames);
    for (int c = 0; c < EffectChannels; ++c) {
        if (hostOutputs64[c] != nullptr) {
            continue;
        }
        if (float* narrow = HostChannel(out->data32, out, c, channels_)) {
            const double* result = outputs[c];
            for (int k = 0; k < frames; ++k) {
                narrow[offset + k] = static_cast<float>(result[k]);
            }
        }
    }
}
