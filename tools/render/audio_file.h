// Reading and writing WAV, AIFF and FLAC through libsndfile.
#pragma once

#include "tools/render/audio_data.h"

#include <memory>
#include <string>

// Reads a mono or stereo WAV, AIFF or FLAC file; anything else is a failure with a reason.
bool ReadAudioFile(const std::string& path, AudioData& audio, std::string& error);

// True if the file's extension names a type the renderer writes (.wav, .aiff, .aif, .flac).
bool IsWritableAudioPath(const std::string& path);

// An audio file being written: created under a temporary name when opened, so a bad target fails
// before any work; renamed onto the target by Commit, removed if never committed.
class AudioFileWriter {
public:
    AudioFileWriter();
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    bool Open(const std::string& path, int channels, int sampleRate, std::string& error);
    bool Commit(const AudioData& audio, std::string& error);

private:
    struct State;
    std::unique_ptr<State> state_;
};
