// Helpers for the renderer tests: a scratch folder, audio files written and read without the
// renderer's own code, and running the built renderer.
#pragma once

#include <string>
#include <vector>

struct TestAudio {
    int sampleRate = 44100;
    std::vector<std::vector<float>> channels;
    long Frames() const { return channels.empty() ? 0 : static_cast<long>(channels[0].size()); }
};

// Writes `audio` in the type the extension names (.wav float, .aiff / .flac 24-bit).
bool WriteTestAudio(const std::string& path, const TestAudio& audio);
// Reads any file libsndfile reads; false if it cannot.
bool ReadTestAudio(const std::string& path, TestAudio& audio);

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs crescenda-render (built beside the test) with `args`, in `folder`.
RunResult RunRenderer(const std::string& folder, const std::vector<std::string>& args);

// A new empty folder of its own under the temp directory, named prefix plus a unique suffix
// (other test runs on the machine may use the same prefix at the same time); "" if none was made.
std::string NewScratchFolder(const std::string& prefix);

// The names of the files in a folder, sorted.
std::vector<std::string> FilesIn(const std::string& folder);
