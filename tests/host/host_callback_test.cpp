#include "host/plugin_host.h"
#include "tests/host/test_plugin_requests.h"

#include <atomic>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

class HostCallback : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Load(TestPluginPath())) << host.LastError(); }

    void ProcessBlock(int frames) {
        AudioBuffers<float> in(2, frames), out(2, frames);
        ASSERT_TRUE(host.ProcessFloat(in, out));
    }

    std::string ProductThePluginSaw() {
        return host.DispatchText(effVendorSpecific, kAskProduct, 0, kVstMaxProductStrLen);
    }

    PluginHost host;
};

} // namespace

TEST_F(HostCallback, ThePluginReceivesTheConfiguredProductStringAndTheCallIsRecorded) {
    host.SetProductString("Some Studio Host");
    host.Open();
    EXPECT_EQ(ProductThePluginSaw(), "Some Studio Host");
    const auto calls = host.Calls();
    const auto it = std::find_if(calls.begin(), calls.end(), [](const HostCall& c) {
        return c.opcode == audioMasterGetProductString;
    });
    ASSERT_NE(it, calls.end());
    EXPECT_EQ(it->text, "Some Studio Host");
    EXPECT_EQ(it->answer, 1);
}

TEST_F(HostCallback, AProductStringLongerThanHostBuffersIsCutToFitTheirSize) {
    host.SetProductString(std::string(100, 'p'));
    host.Open();
    EXPECT_EQ(ProductThePluginSaw(), std::string(kVstMaxProductStrLen - 1, 'p'));
}

TEST_F(HostCallback, TimeInfoAdvancesByTheFramesOfEachProcessedBlock) {
    host.Open();
    ProcessBlock(100);
    ProcessBlock(37);
    ProcessBlock(5);
    EXPECT_EQ(host.Dispatch(effVendorSpecific, kAskSamplePos), 137);
    EXPECT_EQ(host.TimeInfo().samplePos, 142.0);
}

TEST_F(HostCallback, DisabledTimeInfoAnswersNull) {
    VstTimeInfo info{};
    host.SetTimeInfo(info, false);
    host.Open();
    ProcessBlock(16);
    EXPECT_EQ(host.Dispatch(effVendorSpecific, kAskTimeWasNull), 1);
}

TEST_F(HostCallback, ProcessLevelIsRealtimeInsideProcessingUnlessConfigured) {
    host.Open();
    ProcessBlock(16);
    EXPECT_EQ(host.Dispatch(effVendorSpecific, kAskProcessLevel), kVstProcessLevelRealtime);
    EXPECT_EQ(PluginHost::HostCallback(host.Effect(), audioMasterGetCurrentProcessLevel, 0, 0,
                                       nullptr, 0.f),
              kVstProcessLevelUser);
    host.SetProcessLevel(kVstProcessLevelOffline);
    ProcessBlock(16);
    EXPECT_EQ(host.Dispatch(effVendorSpecific, kAskProcessLevel), kVstProcessLevelOffline);
}

TEST_F(HostCallback, CanDoAnswersYesOnlyForTheConfiguredCapabilities) {
    char timeInfo[] = "sendVstTimeInfo";
    char sizeWindow[] = "sizeWindow";
    EXPECT_EQ(PluginHost::HostCallback(host.Effect(), audioMasterCanDo, 0, 0, timeInfo, 0.f), 1);
    EXPECT_EQ(PluginHost::HostCallback(host.Effect(), audioMasterCanDo, 0, 0, sizeWindow, 0.f), 0);
    host.SetHostCanDos({"sizeWindow"});
    EXPECT_EQ(PluginHost::HostCallback(host.Effect(), audioMasterCanDo, 0, 0, sizeWindow, 0.f), 1);
    EXPECT_EQ(PluginHost::HostCallback(host.Effect(), audioMasterCanDo, 0, 0, nullptr, 0.f), 0);
    EXPECT_EQ(host.Calls().back().opcode, audioMasterCanDo);
    EXPECT_EQ(host.CountCalls(audioMasterCanDo), 4);
    EXPECT_EQ(host.Calls()[host.Calls().size() - 2].text, "sizeWindow");
}

TEST_F(HostCallback, OpcodesTheHostDoesNotServeAnswerZeroAndAreStillRecorded) {
    host.ClearCalls();
    EXPECT_EQ(PluginHost::HostCallback(host.Effect(), audioMasterIdle, 3, 4, nullptr, 0.5f), 0);
    ASSERT_EQ(host.Calls().size(), 1u);
    const HostCall call = host.Calls().front();
    EXPECT_EQ(call.opcode, audioMasterIdle);
    EXPECT_EQ(call.index, 3);
    EXPECT_EQ(call.value, 4);
    EXPECT_EQ(call.opt, 0.5f);
}

TEST_F(HostCallback, AHookMayCallStraightBackIntoThePluginFromAnAutomateCall) {
    host.Open();
    float seen = -1.f;
    host.SetCallHook([&seen](PluginHost& h, const HostCall& call) {
        if (call.opcode == audioMasterAutomate) {
            h.SetParameter(call.index, call.opt);
            seen = h.GetParameter(call.index);
        }
    });
    host.Dispatch(effVendorSpecific, kAskAutomate, 1, nullptr, 0.25f);
    EXPECT_EQ(seen, 0.25f);
    EXPECT_EQ(host.GetParameter(1), 0.25f);
    EXPECT_EQ(host.CountCalls(audioMasterAutomate), 1);
}

TEST_F(HostCallback, CallsFromTwoThreadsAreAllRecorded) {
    host.Open(44100.0, 32);
    constexpr int kRounds = 2000;
    std::thread audio([this] {
        AudioBuffers<float> in(2, 32), out(2, 32);
        for (int i = 0; i < kRounds; ++i) {
            host.ProcessFloat(in, out);
        }
    });
    for (int i = 0; i < kRounds; ++i) {
        host.Dispatch(effVendorSpecific, kAskAutomate, 0, nullptr, 0.5f);
    }
    audio.join();
    EXPECT_EQ(host.CountCalls(audioMasterAutomate), kRounds);
    EXPECT_EQ(host.CountCalls(audioMasterGetTime), kRounds);
    EXPECT_EQ(host.CountCalls(audioMasterGetCurrentProcessLevel), kRounds);
}
