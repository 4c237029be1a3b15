#include "host/plugin_host.h"
#include "tests/host/test_plugin_requests.h"

#include <gtest/gtest.h>

namespace {

class HostProcessing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Load(TestPluginPath())) << host.LastError();
        host.Open(44100.0, 64);
    }

    template <typename T>
    static AudioBuffers<T> Ramp(int frames) {
        AudioBuffers<T> buffers(2, frames);
        for (int c = 0; c < 2; ++c) {
            for (int i = 0; i < frames; ++i) {
                buffers.At(c, i) = static_cast<T>((c + 1) * (i + 1)) / T(128);
            }
        }
        return buffers;
    }

    PluginHost host;
};

} // namespace

TEST_F(HostProcessing, ReplacingOverwritesTheOutputs) {
    const AudioBuffers<float> in = Ramp<float>(64);
    AudioBuffers<float> out(2, 64);
    out.Fill(9.f);
    ASSERT_TRUE(host.ProcessFloat(in, out));
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < 64; ++i) {
            ASSERT_EQ(out.At(c, i), in.At(c, i)) << c << "," << i;
        }
    }
}

TEST_F(HostProcessing, AccumulatingAddsToWhatTheOutputsHold) {
    const AudioBuffers<float> in = Ramp<float>(64);
    AudioBuffers<float> out(2, 64);
    out.Fill(1.f);
    ASSERT_TRUE(host.ProcessFloat(in, out, ProcessMode::Accumulating));
    for (int i = 0; i < 64; ++i) {
        ASSERT_EQ(out.At(1, i), 1.f + in.At(1, i)) << i;
    }
}

TEST_F(HostProcessing, InPlaceHandsThePluginTheInputPointersAsOutputs) {
    AudioBuffers<float> io = Ramp<float>(64);
    const AudioBuffers<float> in = Ramp<float>(64);
    AudioBuffers<float> out(2, 64);
    ASSERT_TRUE(host.ProcessFloat(in, out));
    EXPECT_EQ(host.Dispatch(effVendorSpecific, kAskInPlace), 0);
    ASSERT_TRUE(host.Load(TestPluginPath()));
    host.Open(44100.0, 64);
    ASSERT_TRUE(host.ProcessFloatInPlace(io));
    EXPECT_EQ(host.Dispatch(effVendorSpecific, kAskInPlace), 1);
    for (int i = 0; i < 64; ++i) {
        ASSERT_EQ(io.At(0, i), out.At(0, i)) << i;
    }
}

TEST_F(HostProcessing, BuffersWithTooFewChannelsOrFramesAreRefusedWithoutCallingThePlugin) {
    host.ClearCalls();
    AudioBuffers<float> mono(1, 64), stereo(2, 64), shortStereo(2, 32);
    EXPECT_FALSE(host.ProcessFloat(mono, stereo));
    EXPECT_FALSE(host.ProcessFloat(stereo, mono));
    EXPECT_FALSE(host.ProcessFloat(shortStereo, stereo));
    AudioBuffers<double> monoDouble(1, 64);
    EXPECT_FALSE(host.ProcessDoubleInPlace(monoDouble));
    EXPECT_EQ(host.CountCalls(audioMasterGetTime), 0);
}

TEST_F(HostProcessing, TheDoublePathDelaysByTheLatencyThePluginReports) {
    char three[] = "3";
    ASSERT_EQ(host.Dispatch(effString2Parameter, 1, 0, three), 1);
    ASSERT_EQ(host.Effect()->initialDelay, 3);
    const AudioBuffers<double> in = Ramp<double>(64);
    AudioBuffers<double> out(2, 64);
    ASSERT_TRUE(host.ProcessDouble(in, out));
    EXPECT_EQ(out.At(0, 2), 0.0);
    for (int i = 3; i < 64; ++i) {
        ASSERT_EQ(out.At(0, i), in.At(0, i - 3)) << i;
    }
}

TEST_F(HostProcessing, AProgramChunkTakenByTheHostRestoresTheParameters) {
    host.SetParameter(0, 0.25f);
    const std::vector<uint8_t> chunk = host.GetChunk(true);
    ASSERT_FALSE(chunk.empty());
    host.SetParameter(0, 0.75f);
    ASSERT_TRUE(host.SetChunk(true, chunk));
    EXPECT_EQ(host.GetParameter(0), 0.25f);
    EXPECT_FALSE(host.SetChunk(true, {}));
}

TEST(AudioBuffers, ChangingTheFrameCountKeepsTheSamplesThatRemain) {
    AudioBuffers<float> buffers(2, 4);
    buffers.At(1, 3) = 5.f;
    buffers.At(1, 1) = 3.f;
    buffers.SetFrames(2);
    buffers.SetFrames(8);
    EXPECT_EQ(buffers.At(1, 1), 3.f);
    EXPECT_EQ(buffers.At(1, 3), 0.f);
    EXPECT_EQ(buffers.Pointers()[1], buffers.Channel(1));
}
