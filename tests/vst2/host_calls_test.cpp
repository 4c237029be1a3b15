// The adapter's calls to its host, driven directly on an adapter instance with a recording host
// callback (the editor that makes gestures and the effect that asks for transport come later).
#include "vst2/vst2_plugin.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

struct Recorded {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    float opt;
    int events;
    VstInt32 firstEventType;
    VstInt32 firstEventSize;
    char midi[3];
};

// One host per test, reached through a process-wide pointer as hosts reach their own state.
struct FakeHost {
    std::vector<Recorded> calls;
    VstTimeInfo time{};
    bool answerTime = true;
    VstIntPtr processLevel = kVstProcessLevelRealtime;
    VstIntPtr eventsAnswer = 1;
    const char* product = "";
};
FakeHost* gHost = nullptr;

VstIntPtr Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                   float opt) {
    Recorded r{effect, opcode, index, value, opt, 0, 0, 0, {}};
    if (opcode == audioMasterProcessEvents && ptr != nullptr) {
        const auto* events = static_cast<const VstEvents*>(ptr);
        r.events = events->numEvents;
        r.firstEventType = events->events[0]->type;
        r.firstEventSize = events->events[0]->byteSize;
        if (r.firstEventType == kVstMidiType) {
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(events->events[0]);
            r.midi[0] = midi->midiData[0];
            r.midi[1] = midi->midiData[1];
            r.midi[2] = midi->midiData[2];
        }
    }
    gHost->calls.push_back(r);
    switch (opcode) {
    case audioMasterGetTime:
        return gHost->answerTime ? reinterpret_cast<VstIntPtr>(&gHost->time) : 0;
    case audioMasterGetCurrentProcessLevel:
        return gHost->processLevel;
    case audioMasterProcessEvents:
        return gHost->eventsAnswer;
    case audioMasterGetProductString:
        std::strcpy(static_cast<char*>(ptr), gHost->product);
        return 1;
    case audioMasterGetVendorVersion:
        return 120304;
    default:
        return 0;
    }
}

constexpr PluginIdentity Identity{2,       "1-1 2-2",  1,          "Adapter", "",
                                  "maker", 0x00010203, 0x41424344, 0x45464748};

class TwoParams : public PluginCore {
public:
    TwoParams() : PluginCore(Identity) {
        Param(0)->InitNumeric("A", 0.0, 0.0, 1.0, 0.001, 1.0);
        Param(1)->InitNumeric("B", 0.0, 0.0, 1.0, 0.001, 1.0);
    }
};

class HostCallsFixture : public testing::Test {
protected:
    void SetUp() override { gHost = &fake; }
    void TearDown() override { gHost = nullptr; }

    const Recorded& Last() const { return fake.calls.back(); }

    FakeHost fake;
    Vst2Plugin vst2{&Callback, new TwoParams()};
    PluginCore& adapter = vst2.Core(); // the core's host-facing operations reach the adapter
};

using HostCalls = HostCallsFixture;
using Transport = HostCallsFixture;

} // namespace

TEST_F(HostCalls, ParameterGesturesAndChangesReachTheHost) {
    adapter.BeginParamEdit(1);
    adapter.AnnounceParamChange(1, 0.25);
    adapter.EndParamEdit(1);
    adapter.AnnounceProgramChange();
    ASSERT_EQ(fake.calls.size(), 4u);
    EXPECT_EQ(fake.calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(fake.calls[0].index, 1);
    EXPECT_EQ(fake.calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(fake.calls[1].index, 1);
    EXPECT_EQ(fake.calls[1].opt, 0.25f);
    EXPECT_EQ(fake.calls[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(fake.calls[3].opcode, audioMasterUpdateDisplay);
    for (const Recorded& r : fake.calls) {
        EXPECT_EQ(r.effect, vst2.Effect());
    }
}

TEST_F(HostCalls, AnEditorGestureSetsTheParameterAndAnnouncesIt) {
    adapter.SetParamFromEditor(0, 0.5);
    ASSERT_EQ(fake.calls.size(), 1u);
    EXPECT_EQ(fake.calls[0].opcode, audioMasterAutomate);
    EXPECT_EQ(fake.calls[0].opt, 0.5f);
    EXPECT_EQ(adapter.Param(0)->Value(), 0.5);
}

TEST_F(HostCalls, OfflineRenderIsTheOfflineProcessLevel) {
    EXPECT_FALSE(adapter.IsOfflineRender());
    fake.processLevel = kVstProcessLevelOffline;
    EXPECT_TRUE(adapter.IsOfflineRender());
    EXPECT_EQ(Last().opcode, audioMasterGetCurrentProcessLevel);
}

TEST_F(HostCalls, MidiLeavesAsOneEventOfThirtyTwoBytes) {
    MidiMessage message;
    message.offset = 7;
    message.status = 0x90;
    message.data1 = 64;
    message.data2 = 127;
    EXPECT_TRUE(adapter.SendMidiToHost(message));
    EXPECT_EQ(Last().opcode, audioMasterProcessEvents);
    EXPECT_EQ(Last().events, 1);
    EXPECT_EQ(Last().firstEventType, kVstMidiType);
    EXPECT_EQ(Last().firstEventSize, 32);
    EXPECT_EQ(static_cast<unsigned char>(Last().midi[0]), 0x90);
    EXPECT_EQ(Last().midi[2], 127);
    fake.eventsAnswer = 0;
    EXPECT_FALSE(adapter.SendMidiToHost(message));
}

TEST_F(HostCalls, SysExLeavesAsOneEventOfFortyEightBytes) {
    const char data[3] = {static_cast<char>(0xF0), 1, static_cast<char>(0xF7)};
    SysExMessage message;
    message.size = 3;
    message.data = data;
    EXPECT_TRUE(adapter.SendSysExToHost(message));
    EXPECT_EQ(Last().firstEventType, kVstSysExType);
    EXPECT_EQ(Last().firstEventSize, 48);
}

TEST_F(HostCalls, LatencyIsVisibleOnlyThroughTheRecord) {
    adapter.SetLatencySamples(321);
    EXPECT_EQ(vst2.Effect()->initialDelay, 321);
    EXPECT_EQ(adapter.Latency(), 321);
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(HostCalls, WithoutAnEditorAttachingNothingRaisesNoFlag) {
    adapter.AttachEditor(nullptr);
    adapter.EditorSizeChanged(100, 100);
    EXPECT_EQ(vst2.Effect()->flags & effFlagsHasEditor, 0);
}

TEST_F(Transport, SamplePositionIsRoundedAndNegativeOrMissingGivesZero) {
    fake.time.samplePos = 41.5;
    EXPECT_EQ(adapter.HostSamplePosition(), 42);
    EXPECT_EQ(Last().opcode, audioMasterGetTime);
    EXPECT_EQ(Last().value, 0);
    fake.time.samplePos = -3.0;
    EXPECT_EQ(adapter.HostSamplePosition(), 0);
    fake.time.samplePos = 1e300;
    EXPECT_EQ(adapter.HostSamplePosition(), std::numeric_limits<int>::max());
    fake.answerTime = false;
    EXPECT_EQ(adapter.HostSamplePosition(), 0);
}

TEST_F(Transport, TempoNeedsItsFlagAndMayBeZero) {
    fake.time.tempo = 133.0;
    EXPECT_EQ(adapter.HostTempo(), 0.0);
    EXPECT_EQ(Last().value, kVstTempoValid);
    fake.time.flags = kVstTempoValid;
    EXPECT_EQ(adapter.HostTempo(), 133.0);
    fake.time.tempo = 0.0;
    EXPECT_EQ(adapter.HostTempo(), 0.0);
    fake.time.tempo = -1.0;
    EXPECT_EQ(adapter.HostTempo(), 0.0);
}

TEST_F(Transport, TimeSignatureStartsAtZeroAndCopiesValidValues) {
    int numerator = 9;
    int denominator = 9;
    fake.time.timeSigNumerator = 3;
    fake.time.timeSigDenominator = 8;
    adapter.HostTimeSignature(numerator, denominator);
    EXPECT_EQ(numerator, 0);
    EXPECT_EQ(denominator, 0);
    EXPECT_EQ(Last().value, kVstTimeSigValid);
    fake.time.flags = kVstTimeSigValid;
    adapter.HostTimeSignature(numerator, denominator);
    EXPECT_EQ(numerator, 3);
    EXPECT_EQ(denominator, 8);
    fake.time.timeSigNumerator = 0; // zero is accepted here, unlike in the transport record
    adapter.HostTimeSignature(numerator, denominator);
    EXPECT_EQ(numerator, 0);
    EXPECT_EQ(denominator, 8);
}

TEST_F(Transport, TheTransportRecordTakesOnlyWhatTheHostMarksValid) {
    fake.time = VstTimeInfo{};
    fake.time.samplePos = 1000.0;
    fake.time.ppqPos = 4.5;
    fake.time.tempo = 90.0;
    fake.time.barStartPos = 4.0;
    fake.time.cycleStartPos = 1.0;
    fake.time.cycleEndPos = 9.0;
    fake.time.timeSigNumerator = 7;
    fake.time.timeSigDenominator = 8;
    fake.time.flags = kVstPpqPosValid | kVstTransportPlaying;
    TransportInfo info;
    info.tempo = 111.0;
    info.numerator = 4;
    adapter.HostTimeInfo(info);
    EXPECT_EQ(Last().value, 0x3E00);
    EXPECT_EQ(info.samplePos, 1000.0);
    EXPECT_EQ(info.ppqPos, 4.5);
    EXPECT_EQ(info.tempo, 111.0);
    EXPECT_EQ(info.lastBar, 0.0);
    EXPECT_EQ(info.numerator, 4);
    EXPECT_TRUE(info.playing);
    EXPECT_FALSE(info.cycleActive);

    fake.time.flags = 0x3E00 | kVstTransportCycleActive;
    adapter.HostTimeInfo(info);
    EXPECT_EQ(info.tempo, 90.0);
    EXPECT_EQ(info.lastBar, 4.0);
    EXPECT_EQ(info.cycleStart, 1.0);
    EXPECT_EQ(info.cycleEnd, 9.0);
    EXPECT_EQ(info.numerator, 7);
    EXPECT_EQ(info.denominator, 8);
    EXPECT_FALSE(info.playing);
    EXPECT_TRUE(info.cycleActive);
}

TEST_F(Transport, ATransportWithoutValidFieldsWritesNothing) {
    fake.time.samplePos = 5.0;
    fake.time.flags = kVstTransportPlaying; // none of the 0x3E00 bits
    TransportInfo info;
    info.samplePos = -1.0;
    adapter.HostTimeInfo(info);
    EXPECT_EQ(info.samplePos, -1.0);
    EXPECT_FALSE(info.playing);
    fake.answerTime = false;
    fake.time.flags = 0x3E00;
    adapter.HostTimeInfo(info);
    EXPECT_EQ(info.samplePos, -1.0);
}

TEST_F(Transport, ZeroTempoAndSignatureAreNotCopiedIntoTheTransportRecord) {
    fake.time.flags = 0x3E00;
    fake.time.tempo = 0.0;
    fake.time.timeSigNumerator = 0;
    fake.time.timeSigDenominator = 4;
    TransportInfo info;
    info.tempo = 100.0;
    info.numerator = 3;
    info.denominator = 4;
    adapter.HostTimeInfo(info);
    EXPECT_EQ(info.tempo, 100.0);
    EXPECT_EQ(info.numerator, 3);
}

TEST(HostType, TheProductKeywordAndPackedVersionAreStoredOnce) {
    FakeHost fake;
    gHost = &fake;
    {
        Vst2Plugin vst2(&Callback, new TwoParams());
        PluginCore& adapter = vst2.Core();
        // The fake answers no product string: an unknown host, asked once.
        EXPECT_EQ(adapter.HostType(), HostUnknown);
        EXPECT_EQ(adapter.HostType(), HostUnknown);
        EXPECT_EQ(fake.calls.size(), 1u);
        EXPECT_EQ(fake.calls[0].opcode, audioMasterGetProductString);
    }
    gHost = nullptr;
}

TEST(HostType, TheProductStringsKeywordGivesTheHostNumberAndIsAskedOnce) {
    FakeHost fake;
    fake.product = "Steinberg Cubase 12 with Live";
    gHost = &fake;
    {
        Vst2Plugin vst2(&Callback, new TwoParams());
        PluginCore& adapter = vst2.Core();
        EXPECT_EQ(adapter.HostType(), HostCubase); // the first keyword of the table wins
        EXPECT_EQ(adapter.HostType(), HostCubase);
        ASSERT_EQ(fake.calls.size(), 2u);
        EXPECT_EQ(fake.calls[0].opcode, audioMasterGetProductString);
        EXPECT_EQ(fake.calls[1].opcode, audioMasterGetVendorVersion);
    }
    gHost = nullptr;
}
