#include "test_plugin.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TestPlugin WithChannels(const char* channelString) {
    TestIdentity identity;
    identity.channelString = channelString;
    return TestPlugin(identity);
}

void ConnectAll(PluginCore& plugin) {
    for (int i = 0; i < plugin.InputChannelCount(); ++i) {
        plugin.Input(i)->connected = true;
    }
    for (int i = 0; i < plugin.OutputChannelCount(); ++i) {
        plugin.Output(i)->connected = true;
    }
}

// What the adapter does before a float block: outputs render into their scratch and go to the
// host's buffers.
void RouteOutputs(PluginCore& plugin, std::vector<std::vector<float>>& host) {
    for (int i = 0; i < plugin.OutputChannelCount(); ++i) {
        OutputChannel* channel = plugin.Output(i);
        *channel->slot = channel->Scratch();
        channel->hostDestination = host[static_cast<size_t>(i)].data();
    }
}

} // namespace

TEST(ChannelString, OneToOneAndTwoToTwoGiveTwoPairsAndTwoChannelsEachWay) {
    TestPlugin plugin = WithChannels("1-1 2-2");
    ASSERT_EQ(plugin.ChannelPairCount(), 2);
    EXPECT_EQ(plugin.ChannelPairAt(0)->inputs, 1);
    EXPECT_EQ(plugin.ChannelPairAt(0)->outputs, 1);
    EXPECT_EQ(plugin.ChannelPairAt(1)->inputs, 2);
    EXPECT_EQ(plugin.ChannelPairAt(1)->outputs, 2);
    EXPECT_EQ(plugin.InputChannelCount(), 2);
    EXPECT_EQ(plugin.OutputChannelCount(), 2);
    EXPECT_TRUE(plugin.LegalIO(1, -1));
    EXPECT_TRUE(plugin.LegalIO(2, -1));
    EXPECT_FALSE(plugin.LegalIO(3, -1));
}

TEST(ChannelString, StereoOnlyRefusesAMonoInput) {
    TestPlugin plugin = WithChannels("2-2");
    EXPECT_FALSE(plugin.LegalIO(1, -1));
    EXPECT_TRUE(plugin.LegalIO(2, 2));
    EXPECT_FALSE(plugin.LegalIO(2, 1));
}

TEST(ChannelString, TheWidestCountsComeFromDifferentPairs) {
    TestPlugin plugin = WithChannels("1-4 3-2");
    EXPECT_EQ(plugin.InputChannelCount(), 3);
    EXPECT_EQ(plugin.OutputChannelCount(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(plugin.Input(i)->connected);
        EXPECT_EQ(plugin.Input(i)->slot, plugin.InputSlots() + i);
    }
    EXPECT_EQ(plugin.Output(3)->slot, plugin.OutputSlots() + 3);
}

TEST(ChannelString, ConfigurationsThatDoNotScanCountAsNoChannels) {
    TestPlugin plugin = WithChannels("x-y 2");
    ASSERT_EQ(plugin.ChannelPairCount(), 2);
    EXPECT_EQ(plugin.ChannelPairAt(0)->inputs, 0);
    EXPECT_EQ(plugin.ChannelPairAt(0)->outputs, 0);
    EXPECT_EQ(plugin.ChannelPairAt(1)->inputs, 2);
    EXPECT_EQ(plugin.ChannelPairAt(1)->outputs, 0);
    EXPECT_EQ(plugin.InputChannelCount(), 2);
    EXPECT_EQ(plugin.OutputChannelCount(), 0);
}

TEST(ChannelString, NegativeAndHugeCountsMakeNoNegativeOrAbsurdChannelLists) {
    TestPlugin plugin = WithChannels("-3--4 99999999999999-1");
    EXPECT_EQ(plugin.ChannelPairAt(0)->inputs, -3);
    EXPECT_GE(plugin.InputChannelCount(), 0);
    EXPECT_LE(plugin.InputChannelCount(), 64);
    EXPECT_EQ(plugin.OutputChannelCount(), 1);
}

TEST(BlockLength, SettingItZeroesEveryScratchToThatManyFrames) {
    TestPlugin plugin;
    EXPECT_TRUE(plugin.SetBlockLength(512));
    EXPECT_EQ(plugin.BlockSize(), 512);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(plugin.Input(i)->ScratchFrames(), 512);
        ASSERT_EQ(plugin.Output(i)->ScratchFrames(), 512);
        EXPECT_EQ(plugin.Input(i)->Scratch()[511], 0.0);
        // Slots follow the scratch, which may have moved.
        EXPECT_EQ(plugin.InputSlots()[i], plugin.Input(i)->Scratch());
        EXPECT_EQ(plugin.OutputSlots()[i], plugin.Output(i)->Scratch());
    }
}

TEST(BlockLength, TheSameLengthLeavesTheScratchContentsAlone) {
    TestPlugin plugin;
    plugin.SetBlockLength(64);
    plugin.Input(0)->Scratch()[3] = 0.25;
    EXPECT_TRUE(plugin.SetBlockLength(64));
    EXPECT_EQ(plugin.Input(0)->Scratch()[3], 0.25);
    EXPECT_TRUE(plugin.SetBlockLength(32));
    EXPECT_EQ(plugin.Input(0)->Scratch()[3], 0.0);
}

TEST(BlockLength, NegativeAndAbsurdLengthsAreRefusedAndChangeNothing) {
    TestPlugin plugin;
    plugin.SetBlockLength(1024);
    plugin.Output(1)->Scratch()[7] = 0.5;
    for (int frames : {-1, -1024, (1 << 20) + 1, 0x7FFFFFFF}) {
        EXPECT_FALSE(plugin.SetBlockLength(frames)) << frames;
        EXPECT_EQ(plugin.BlockSize(), 1024);
        EXPECT_EQ(plugin.Output(1)->ScratchFrames(), 1024);
        EXPECT_EQ(plugin.Output(1)->Scratch()[7], 0.5);
    }
    EXPECT_TRUE(plugin.SetBlockLength(1 << 20));
}

TEST(LimitToStereo, AtMostTwoChannelsPerDirectionChangesNothing) {
    TestPlugin plugin;
    plugin.SetBlockLength(16);
    plugin.Input(1)->connected = true;
    plugin.LimitToStereo();
    EXPECT_TRUE(plugin.Input(1)->connected);
    EXPECT_FALSE(plugin.Output(1)->connected);
}

TEST(LimitToStereo, ChannelsFromTheThirdOnAreCutOffAtTheInputAndOpenAtTheOutput) {
    TestPlugin plugin = WithChannels("4-4");
    plugin.SetBlockLength(16);
    ConnectAll(plugin);
    plugin.Output(3)->connected = false;
    static double host[16];
    *plugin.Input(3)->slot = host;
    plugin.LimitToStereo();
    EXPECT_TRUE(plugin.Input(1)->connected);
    EXPECT_FALSE(plugin.Input(2)->connected);
    EXPECT_FALSE(plugin.Input(3)->connected);
    EXPECT_EQ(plugin.InputSlots()[3], plugin.Input(3)->Scratch());
    EXPECT_TRUE(plugin.Output(3)->connected);
}

TEST(PassThrough, OutputsCopyTheirInputsAndTheRestIsSilent) {
    TestPlugin plugin = WithChannels("1-3");
    double in[4] = {1, 2, 3, 4};
    double out0[4] = {9, 9, 9, 9};
    double out1[4] = {9, 9, 9, 9};
    double out2[4] = {9, 9, 9, 9};
    double* inputs[] = {in};
    double* outputs[] = {out0, out1, out2};
    plugin.RenderDouble(inputs, outputs, 4);
    EXPECT_EQ(out0[3], 4.0);
    EXPECT_EQ(out1[0], 0.0);
    EXPECT_EQ(out2[3], 0.0);

    float fin[2] = {0.5f, -0.5f};
    float fout[2] = {9, 9};
    float fzero[2] = {9, 9};
    float* finputs[] = {fin};
    float* foutputs[] = {fout, fzero, fzero};
    plugin.RenderSingle(finputs, foutputs, 2);
    EXPECT_EQ(fout[1], -0.5f);
    EXPECT_EQ(fzero[0], 0.0f);
}

TEST(PassThrough, InPlaceBuffersKeepTheirSamples) {
    TestPlugin plugin;
    double buffer[3] = {0.1, 0.2, 0.3};
    double* both[] = {buffer, buffer};
    plugin.RenderDouble(both, both, 3);
    EXPECT_EQ(buffer[2], 0.3);
}

TEST(FloatBlocks, ReplacingWidensRendersAndNarrowsIntoTheHostBuffers) {
    TestPlugin plugin;
    plugin.SetBlockLength(8);
    ConnectAll(plugin);
    std::vector<float> left = {0.25f, -1.0f, 0.125f, 3.0f};
    std::vector<float> right = {1.0f, 2.0f, 3.0f, 4.0f};
    float* inputs[] = {left.data(), right.data()};
    std::vector<std::vector<float>> host(2, std::vector<float>(4, 7.0f));
    plugin.LoadFloatInputs(inputs, 2, 4);
    EXPECT_EQ(plugin.InputSlots()[0], plugin.Input(0)->Scratch());
    EXPECT_EQ(plugin.Input(1)->Scratch()[3], 4.0);
    RouteOutputs(plugin, host);
    plugin.RenderReplacingFloat(4);
    EXPECT_EQ(host[0], left);
    EXPECT_EQ(host[1], right);
}

TEST(FloatBlocks, AccumulatingAddsInSinglePrecision) {
    TestPlugin plugin;
    plugin.SetBlockLength(8);
    ConnectAll(plugin);
    std::vector<float> in = {1e-8f, 0.5f};
    float* inputs[] = {in.data(), in.data()};
    std::vector<std::vector<float>> host(2, std::vector<float>{1.0f, 0.25f});
    plugin.LoadFloatInputs(inputs, 2, 2);
    RouteOutputs(plugin, host);
    plugin.RenderAccumulatingFloat(2);
    EXPECT_EQ(host[0][0], 1.0f); // 1 + 1e-8 rounds to 1 in float
    EXPECT_EQ(host[0][1], 0.75f);
    EXPECT_EQ(host[1][1], 0.75f);
}

TEST(FloatBlocks, AnUnconnectedInputTakesNoHostBufferAndKeepsItsScratch) {
    TestPlugin plugin;
    plugin.SetBlockLength(4);
    plugin.Input(0)->connected = false;
    plugin.Input(1)->connected = true;
    std::vector<float> only = {0.5f, 0.5f, 0.5f, 0.5f};
    float* inputs[] = {only.data()};
    plugin.LoadFloatInputs(inputs, 2, 4);
    EXPECT_EQ(plugin.Input(1)->Scratch()[0], 0.5);
    EXPECT_EQ(plugin.Input(0)->Scratch()[0], 0.0);
    EXPECT_EQ(plugin.InputSlots()[0], plugin.Input(0)->Scratch());
}

TEST(FloatBlocks, DisconnectedOutputsLeaveTheHostBufferAlone) {
    TestPlugin plugin;
    plugin.SetBlockLength(4);
    ConnectAll(plugin);
    plugin.Output(1)->connected = false;
    std::vector<float> in = {1, 1, 1, 1};
    float* inputs[] = {in.data(), in.data()};
    std::vector<std::vector<float>> host(2, std::vector<float>(4, 5.0f));
    plugin.LoadFloatInputs(inputs, 2, 4);
    RouteOutputs(plugin, host);
    plugin.RenderReplacingFloat(4);
    EXPECT_EQ(host[0][0], 1.0f);
    EXPECT_EQ(host[1][0], 5.0f);
}

TEST(FloatBlocks, MoreFramesThanTheBlockSizeNeverPassTheScratchBuffers) {
    TestPlugin plugin;
    plugin.SetBlockLength(4);
    ConnectAll(plugin);
    std::vector<float> in(16, 1.0f);
    float* inputs[] = {in.data(), in.data()};
    std::vector<std::vector<float>> host(2, std::vector<float>(16, 5.0f));
    plugin.LoadFloatInputs(inputs, 2, 16);
    RouteOutputs(plugin, host);
    plugin.RenderReplacingFloat(16);
    // Only the block size is processed; the adapter hands the rest in further pieces.
    EXPECT_EQ(host[0][3], 1.0f);
    EXPECT_EQ(host[0][4], 5.0f);
}

TEST(FloatBlocks, AConnectedInputWithoutAHostBufferReadsSilence) {
    TestPlugin plugin;
    plugin.SetBlockLength(4);
    ConnectAll(plugin);
    plugin.Input(0)->Scratch()[0] = 0.75;
    float* inputs[] = {nullptr, nullptr};
    plugin.LoadFloatInputs(inputs, 2, 4);
    EXPECT_EQ(plugin.Input(0)->Scratch()[0], 0.0);
}
