// The VST3 bundle renders bit for bit what the VST2 binary renders for the same settings, block
// size and sample format, the settings arriving as a preset, a VST2 state, or the defaults.
#include "tests/vst3/vst3_test_support.h"

#include <cstring>

namespace {

using namespace vst3;

struct Case {
    int block;
    int preset; // -1: the defaults
    bool wide;  // 64-bit samples
};

template <typename Sample>
bool SameBits(const AudioBuffers<Sample>& a, const AudioBuffers<Sample>& b) {
    for (int c = 0; c < a.Channels(); ++c) {
        if (std::memcmp(a.Channel(c), b.Channel(c), sizeof(Sample) * a.Frames()) != 0) {
            return false;
        }
    }
    return true;
}

template <typename Sample>
void ExpectSameRender(PluginHost& vst2, Vst3PluginHost& vst3, int block) {
    AudioBuffers<Sample> in(2, block), out2(2, block), out3(2, block);
    for (int round = 0; round < 6000 / block + 1; ++round) {
        FillSignal(in, round);
        if constexpr (std::is_same_v<Sample, float>) {
            ASSERT_TRUE(vst2.ProcessFloat(in, out2));
            ASSERT_EQ(vst3.Process(in, out3, block), kResultOk);
        } else {
            ASSERT_TRUE(vst2.ProcessDouble(in, out2));
            ASSERT_EQ(vst3.Process64(in, out3, block), kResultOk);
        }
        ASSERT_TRUE(SameBits(out2, out3)) << "block " << block << ", round " << round;
    }
}

TEST(Vst3Identity, TheBundleRendersExactlyWhatTheVst2BinaryRenders) {
    const Case cases[] = {{512, -1, false}, {37, 3, false}, {1, 4, false}, {256, 2, true}};
    for (const Case& c : cases) {
        PluginHost vst2;
        ASSERT_TRUE(vst2.Load(DefaultPluginPath())) << vst2.LastError();
        ASSERT_TRUE(vst2.Open(48000.0, c.block));
        Vst3PluginHost vst3;
        ASSERT_TRUE(vst3.Load(BundlePath())) << vst3.LastError();
        if (c.preset >= 0) {
            // The preset reaches VST2 by program number and VST3 as the VST2 state it gives.
            vst2.Dispatch(effSetProgram, 0, c.preset);
            // As hosts do after a program change, to read its latency: suspend and resume.
            vst2.Dispatch(effMainsChanged, 0, 0);
            vst2.Dispatch(effMainsChanged, 0, 1);
            const std::vector<uint8_t> chunk = vst2.GetChunk(true);
            ASSERT_EQ(vst3.LoadState(std::vector<char>(chunk.begin(), chunk.end())), kResultOk);
        }
        ASSERT_TRUE(vst3.Start(48000.0, c.block, c.wide ? kSample64 : kSample32));
        ASSERT_EQ(vst3.Processor()->getLatencySamples(),
                  static_cast<uint32>(vst2.Effect()->initialDelay));
        if (c.wide) {
            ExpectSameRender<double>(vst2, vst3, c.block);
        } else {
            ExpectSameRender<float>(vst2, vst3, c.block);
        }
    }
}

} // namespace
