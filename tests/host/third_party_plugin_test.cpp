// The bundled host against VST 2.4 plug-ins nobody here wrote (installed by scripts/setup.sh):
// only the plumbing is checked, nothing about what the plug-in does. Editor opcodes are left
// alone: such plug-ins may crash in their editor code without a display.
#include "host/plugin_host.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string ThirdPartyPluginPath() {
    for (const char* path :
         {"/usr/lib/lxvst/DragonflyRoomReverb-vst.so", "/usr/lib/lxvst/DragonflyPlateReverb-vst.so",
          "/usr/lib/vst/DragonflyRoomReverb-vst.so"}) {
        if (std::ifstream(path).good()) {
            return path;
        }
    }
    return {};
}

class ThirdPartyPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        path = ThirdPartyPluginPath();
        ASSERT_FALSE(path.empty())
            << "no third-party VST 2.4 plug-in installed; run scripts/setup.sh";
        ASSERT_TRUE(host.Load(path)) << host.LastError();
    }
    std::string path;
    PluginHost host;
};

} // namespace

TEST_F(ThirdPartyPlugin, LoadsWithAValidEffectRecord) {
    const AEffect& e = *host.Effect();
    EXPECT_EQ(e.magic, kEffectMagic);
    EXPECT_GT(e.numInputs, 0);
    EXPECT_GT(e.numOutputs, 0);
    EXPECT_GE(e.numParams, 0);
    EXPECT_NE(e.processReplacing, nullptr);
    EXPECT_EQ(e.user, &host);
}

TEST_F(ThirdPartyPlugin, ParametersReadBackInTheNormalisedRangeWithNames) {
    ASSERT_TRUE(host.Open(48000.0, 256));
    const int count = host.Effect()->numParams;
    ASSERT_GT(count, 0);
    for (int i = 0; i < count; ++i) {
        EXPECT_FALSE(host.ParamName(i).empty()) << i;
        for (float value : {0.f, 0.3f, 1.f}) {
            host.SetParameter(i, value);
            const float back = host.GetParameter(i);
            EXPECT_GE(back, 0.f) << i;
            EXPECT_LE(back, 1.f) << i;
        }
        host.ParamDisplay(i); // must not crash; its text is the plug-in's business
    }
}

TEST_F(ThirdPartyPlugin, ProcessesBlocksOfNoiseIntoFiniteAudio) {
    ASSERT_TRUE(host.Open(44100.0, 128));
    AudioBuffers<float> in(host.Effect()->numInputs, 128);
    AudioBuffers<float> out(host.Effect()->numOutputs, 128);
    unsigned seed = 1;
    double energy = 0.0;
    for (int block = 0; block < 50; ++block) {
        for (int c = 0; c < in.Channels(); ++c) {
            for (int i = 0; i < 128; ++i) {
                seed = seed * 1664525u + 1013904223u;
                in.At(c, i) = static_cast<float>(seed >> 8) / 16777216.f - 0.5f;
            }
        }
        ASSERT_TRUE(host.ProcessFloat(in, out));
        for (int c = 0; c < out.Channels(); ++c) {
            for (int i = 0; i < 128; ++i) {
                ASSERT_TRUE(std::isfinite(out.At(c, i)));
                energy += out.At(c, i) * out.At(c, i);
            }
        }
    }
    EXPECT_GT(energy, 0.0);
    host.Close();
    EXPECT_EQ(host.Effect(), nullptr);
}

TEST_F(ThirdPartyPlugin, SurvivesTheHostLifecycleTwice) {
    ASSERT_TRUE(host.Open(44100.0, 512));
    host.MainsChanged(false);
    host.SetSampleRate(96000.0);
    host.SetBlockSize(64);
    host.MainsChanged(true);
    AudioBuffers<float> in(host.Effect()->numInputs, 64), out(host.Effect()->numOutputs, 64);
    EXPECT_TRUE(host.ProcessFloat(in, out));
    host.Close();
    ASSERT_TRUE(host.Load(path)) << host.LastError();
    ASSERT_TRUE(host.Open(44100.0, 512));
    EXPECT_TRUE(host.ProcessFloat(in, out));
}
