// Audio buffers a host owns and hands to a plug-in: one contiguous run of frames per channel and
// the array of channel pointers the process callbacks take.
#pragma once

#include <algorithm>
#include <vector>

template <typename T>
class AudioBuffers {
public:
    AudioBuffers() = default;
    AudioBuffers(int channels, int frames) { Resize(channels, frames); }

    // Sets the shape; every sample becomes zero.
    void Resize(int channels, int frames) {
        channels = std::max(channels, 0);
        frames_ = std::max(frames, 0);
        data_.assign(static_cast<size_t>(channels), std::vector<T>(static_cast<size_t>(frames_)));
        RefreshPointers();
    }

    // Changes the frame count, keeping the samples that remain; new frames are zero.
    void SetFrames(int frames) {
        frames_ = std::max(frames, 0);
        for (auto& channel : data_) {
            channel.resize(static_cast<size_t>(frames_));
        }
        RefreshPointers();
    }

    int Channels() const { return static_cast<int>(data_.size()); }
    int Frames() const { return frames_; }

    T* Channel(int channel) { return data_[static_cast<size_t>(channel)].data(); }
    const T* Channel(int channel) const { return data_[static_cast<size_t>(channel)].data(); }
    T& At(int channel, int frame) {
        return data_[static_cast<size_t>(channel)][static_cast<size_t>(frame)];
    }
    const T& At(int channel, int frame) const {
        return data_[static_cast<size_t>(channel)][static_cast<size_t>(frame)];
    }

    T* const* Pointers() { return pointers_.data(); }
    const T* const* Pointers() const { return constPointers_.data(); }

    void Fill(T value) {
        for (auto& channel : data_) {
            std::fill(channel.begin(), channel.end(), value);
        }
    }
    void Clear() { Fill(T(0)); }

private:
    void RefreshPointers() {
        pointers_.clear();
        constPointers_.clear();
        for (auto& channel : data_) {
            pointers_.push_back(channel.data());
            constPointers_.push_back(channel.data());
        }
    }

    std::vector<std::vector<T>> data_;
    std::vector<T*> pointers_;
    std::vector<const T*> constPointers_;
    int frames_ = 0;
};
