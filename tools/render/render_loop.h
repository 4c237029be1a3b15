// Runs audio through a loaded, started plug-in in host-sized blocks.
#pragma once

#include "tools/render/audio_data.h"
#include "tools/render/progress_bar.h"
#include "tools/render/render_plugin.h"

#include <string>

struct RenderSettings {
    int blockSize = 512;
    bool keepLatency = false; // keep the reported latency at the start instead of removing it
};

// Feeds `in` and then `latency` frames of silence (to flush the delayed tail) through the
// plug-in. Without keepLatency the first `latency` output frames are dropped, so the output lines
// up with the input and has its length; with it the output is `latency` frames longer.
// A mono file feeds every plug-in input; a stereo file the first two.
bool RenderAudio(RenderPlugin& plugin, const AudioData& in, int latency,
                 const RenderSettings& settings, ProgressBar* progress, AudioData& out,
                 std::string& error);

// Checks that the plug-in's inputs and outputs can carry a file of `channels` channels.
bool CanCarryChannels(const RenderPlugin& plugin, int channels, std::string& error);
