#include "tools/render/render_loop.h"

#include <algorithm>
#include <cmath>

namespace {

// Copies one block of the file (silence past its end) into the plug-in's inputs.
void FillInputs(const AudioData& in, int64_t position, int frames, AudioBuffers<float>& inputs) {
    const int fileChannels = in.Channels();
    for (int c = 0; c < inputs.Channels(); ++c) {
        float* target = inputs.Channel(c);
        if (fileChannels != 1 && c >= fileChannels) {
            std::fill(target, target + frames, 0.f);
            continue;
        }
        const std::vector<float>& source =
            in.channels[static_cast<size_t>(fileChannels == 1 ? 0 : c)];
        for (int i = 0; i < frames; ++i) {
            const int64_t frame = position + i;
            target[i] = frame < in.Frames() ? source[static_cast<size_t>(frame)] : 0.f;
        }
    }
}

} // namespace

bool CanCarryChannels(const RenderPlugin& plugin, int channels, std::string& error) {
    const int inputs = plugin.Inputs();
    const int outputs = plugin.Outputs();
    if (inputs < 1) {
        error = "the plug-in has no audio inputs";
        return false;
    }
    if (inputs < channels) {
        error = "the plug-in has " + std::to_string(inputs) + " input(s); a " +
                (channels == 2 ? "stereo" : "mono") + " file needs " + std::to_string(channels);
        return false;
    }
    if (outputs < channels) {
        error = "the plug-in has " + std::to_string(outputs) + " output(s); a " +
                (channels == 2 ? "stereo" : "mono") + " file needs " + std::to_string(channels);
        return false;
    }
    return true;
}

bool RenderAudio(RenderPlugin& plugin, const AudioData& in, int latency,
                 const RenderSettings& settings, ProgressBar* progress, AudioData& out,
                 std::string& error) {
    if (!CanCarryChannels(plugin, in.Channels(), error)) {
        return false;
    }
    latency = std::max(latency, 0);
    const int64_t total = in.Frames() + latency;
    const int64_t skip = settings.keepLatency ? 0 : latency;
    out.sampleRate = in.sampleRate;
    out.channels.assign(static_cast<size_t>(in.Channels()),
                        std::vector<float>(static_cast<size_t>(total - skip)));

    AudioBuffers<float> inputs(plugin.Inputs(), settings.blockSize);
    AudioBuffers<float> outputs(plugin.Outputs(), settings.blockSize);
    int64_t nonFinite = 0;
    for (int64_t position = 0; position < total; position += settings.blockSize) {
        const int frames =
            static_cast<int>(std::min<int64_t>(settings.blockSize, total - position));
        FillInputs(in, position, frames, inputs);
        plugin.Process(inputs, outputs, frames);
        for (int c = 0; c < in.Channels(); ++c) {
            const float* source = outputs.Channel(c);
            std::vector<float>& target = out.channels[static_cast<size_t>(c)];
            for (int i = 0; i < frames; ++i) {
                const int64_t frame = position + i - skip;
                if (frame >= 0) {
                    nonFinite += std::isfinite(source[i]) ? 0 : 1;
                    target[static_cast<size_t>(frame)] = source[i];
                }
            }
        }
        if (progress != nullptr) {
            progress->Update(position + frames);
        }
    }
    if (progress != nullptr) {
        progress->Finish();
    }
    if (nonFinite > 0) {
        error = "the plug-in produced " + std::to_string(nonFinite) +
                " samples that are not numbers (NaN or infinite)";
        return false;
    }
    return true;
}
