// Audio held in memory: one vector of samples per channel.
#pragma once

#include <cstdint>
#include <vector>

struct AudioData {
    int sampleRate = 44100;
    std::vector<std::vector<float>> channels;

    int Channels() const { return static_cast<int>(channels.size()); }
    int64_t Frames() const {
        return channels.empty() ? 0 : static_cast<int64_t>(channels[0].size());
    }
};
