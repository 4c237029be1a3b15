// Shared helpers of the adapter tests: where the plug-ins are, and a host that has loaded one.
#pragma once

#include "host/plugin_host.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The test plug-in built from the adapter beside the test executable.
inline std::string TestPluginPath() {
    return ExecutableDirectory() + "/vst2_test_plugin" + SharedLibrarySuffix();
}

// The adapter with real-time counters compiled in.
inline std::string RealtimeTestPluginPath() {
    return ExecutableDirectory() + "/vst2_test_plugin_rt" + SharedLibrarySuffix();
}

inline bool FileExists(const std::string& path) {
    return std::ifstream(path).good();
}

// A host with the test plug-in loaded (not opened).
class LoadedPlugin : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Load(TestPluginPath())) << host.LastError(); }

    AEffect* Effect() { return host.Effect(); }
    // Opened at 44.1 kHz with the given block size.
    void Open(int blockSize = 512) { ASSERT_TRUE(host.Open(44100.0, blockSize)); }
    // One short block: the effect hears of parameter changes when the next block starts.
    void ProcessABlock() {
        AudioBuffers<float> in(2, 16), out(2, 16);
        host.ProcessFloat(in, out);
    }

    PluginHost host;
};

// Deterministic test signal: distinct values on every channel and frame.
template <class T>
void FillSignal(AudioBuffers<T>& buffers, int seed = 1) {
    unsigned state = 2463534242u + static_cast<unsigned>(seed);
    for (int c = 0; c < buffers.Channels(); ++c) {
        for (int k = 0; k < buffers.Frames(); ++k) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            buffers.At(c, k) = static_cast<T>(static_cast<double>(state % 20001u) / 10000.0 - 1.0);
        }
    }
}
