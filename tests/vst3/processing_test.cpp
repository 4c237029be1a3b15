#include "tests/vst3/vst3_test_support.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {

using namespace vst3;

constexpr ParamID kVol = 3;
constexpr int kFrames = 256;

bool SameBits(const AudioBuffers<float>& a, const AudioBuffers<float>& b) {
    for (int c = 0; c < a.Channels(); ++c) {
        if (std::memcmp(a.Channel(c), b.Channel(c), sizeof(float) * a.Frames()) != 0) {
            return false;
        }
    }
    return true;
}

struct Arrangement {
    SpeakerArrangement in;
    SpeakerArrangement out;
    int buses;
    bool accepted;
};

TEST_F(LoadedBundle, OnlyMonoToMonoAndStereoToStereoAreAccepted) {
    const Arrangement cases[] = {
        {SpeakerArr::kMono, SpeakerArr::kMono, 1, true},
        {SpeakerArr::kStereo, SpeakerArr::kStereo, 1, true},
        {SpeakerArr::kMono, SpeakerArr::kStereo, 1, false},
        {SpeakerArr::kStereo, SpeakerArr::kMono, 1, false},
        {0x3F, 0x3F, 1, false}, // six channels
        {SpeakerArr::kStereo, SpeakerArr::kStereo, 2, false},
        {SpeakerArr::kStereo, SpeakerArr::kStereo, 0, false},
    };
    for (const Arrangement& c : cases) {
        SpeakerArrangement in[2] = {c.in, c.in};
        SpeakerArrangement out[2] = {c.out, c.out};
        SpeakerArrangement before = 0;
        host.Processor()->getBusArrangement(kOutput, 0, before);
        const tresult answer = host.Processor()->setBusArrangements(in, c.buses, out, c.buses);
        EXPECT_EQ(answer == kResultOk, c.accepted) << c.in << " " << c.buses;
        SpeakerArrangement now = 0;
        ASSERT_EQ(host.Processor()->getBusArrangement(kInput, 0, now), kResultOk);
        EXPECT_EQ(now, c.accepted ? c.in : before);
        BusInfo bus{};
        ASSERT_EQ(host.Component()->getBusInfo(kAudio, kOutput, 0, bus), kResultOk);
        EXPECT_EQ(bus.channelCount, now == SpeakerArr::kMono ? 1 : 2);
    }
    EXPECT_EQ(host.Component()->getBusCount(kAudio, kInput), 1);
    EXPECT_EQ(host.Component()->getBusCount(kEvent, kInput), 0);
    EXPECT_EQ(host.Processor()->canProcessSampleSize(kSample32), kResultTrue);
    EXPECT_EQ(host.Processor()->canProcessSampleSize(kSample64), kResultTrue);
    EXPECT_EQ(host.Processor()->canProcessSampleSize(7), kResultFalse);
}

TEST_F(LoadedBundle, ActivationCyclesProcessFiniteAudioAndFlushCallsNeedNoBuffers) {
    AudioBuffers<float> in(2, kFrames), out(2, kFrames);
    FillSignal(in);
    for (int cycle = 0; cycle < 5; ++cycle) {
        ASSERT_TRUE(host.Start(44100.0, kFrames));
        for (int block = 0; block < 4; ++block) {
            out.Fill(NAN);
            ASSERT_EQ(host.Process(in, out, kFrames), kResultOk);
            for (int c = 0; c < 2; ++c) {
                for (int k = 0; k < kFrames; ++k) {
                    ASSERT_TRUE(std::isfinite(out.At(c, k)));
                }
            }
        }
        ParameterChanges flush;
        flush.Add(kVol, 0, 0.1);
        ProcessData data{};
        data.inputParameterChanges = &flush;
        EXPECT_EQ(host.Processor()->process(data), kResultOk);
        EXPECT_NEAR(Value(kVol), 0.1, 1e-12);
        host.Stop();
    }
}

// A change at offset k must land exactly on sample k: the same as a block that ends at k and a
// host that sets the value through the controller before the next block. A program change sets
// the preset's values there, and the controller then reports the preset as the current one.
TEST(Vst3Processing, QueuedChangesLandOnTheirSampleAtStartMiddleAndEnd) {
    ParameterInfo program{};
    const std::pair<int, bool> cases[] = {{0, false}, {kFrames / 2, false}, {kFrames - 1, false},
                                          {0, true},  {kFrames / 2, true},  {kFrames - 1, true}};
    for (const auto& [offset, toProgram] : cases) {
        AudioBuffers<float> in(2, kFrames), split(2, kFrames), whole(2, kFrames);
        FillSignal(in, offset + 3);
        Vst3PluginHost host, reference;
        ASSERT_TRUE(host.Load(BundlePath()));
        ASSERT_TRUE(reference.Load(BundlePath()));
        ASSERT_EQ(host.Controller()->getParameterInfo(5, program), kResultOk);
        const ParamID id = toProgram ? program.id : kVol;
        const ParamValue value = toProgram ? 3.0 / 5.0 : 0.2; // Arpeggio, or -14 dB
        ASSERT_TRUE(reference.Start(44100.0, kFrames));
        ASSERT_TRUE(host.Start(44100.0, kFrames));
        // Past the look-ahead delay first, so the output carries the signal.
        for (int block = 0; block < 8; ++block) {
            ASSERT_EQ(host.Process(in, whole, kFrames), kResultOk);
            ASSERT_EQ(reference.Process(in, split, kFrames), kResultOk);
        }
        ParameterChanges changes;
        changes.Add(id, offset, value);
        ASSERT_EQ(host.Process(in, whole, kFrames, &changes), kResultOk);

        AudioBuffers<float> head(2, offset), tail(2, kFrames - offset);
        AudioBuffers<float> headOut(2, offset), tailOut(2, kFrames - offset);
        for (int c = 0; c < 2; ++c) {
            for (int k = 0; k < kFrames; ++k) {
                (k < offset ? head.At(c, k) : tail.At(c, k - offset)) = in.At(c, k);
            }
        }
        if (offset > 0) {
            ASSERT_EQ(reference.Process(head, headOut, offset), kResultOk);
        }
        ASSERT_EQ(reference.Controller()->setParamNormalized(id, value), kResultOk);
        ASSERT_EQ(reference.Process(tail, tailOut, kFrames - offset), kResultOk);
        for (int c = 0; c < 2; ++c) {
            for (int k = 0; k < kFrames; ++k) {
                split.At(c, k) = k < offset ? headOut.At(c, k) : tailOut.At(c, k - offset);
            }
        }
        EXPECT_TRUE(SameBits(whole, split)) << "offset " << offset << " id " << id;
        // Audible on both sides of the point, so a change landing elsewhere shows.
        EXPECT_NE(whole.At(0, 0), 0.0f);
        EXPECT_NE(whole.At(0, kFrames - 1), 0.0f);
        for (const ParamID shown : {ParamID{0}, ParamID{1}, ParamID{2}, kVol, program.id}) {
            EXPECT_EQ(host.Controller()->getParamNormalized(shown),
                      reference.Controller()->getParamNormalized(shown))
                << "offset " << offset << " id " << id << " shows " << shown;
        }
    }
}

// A program switched in process() is settled before the controller's own program calls: going
// back to the first program (after the host echoed the switch) finds that program's values.
TEST_F(LoadedBundle, AProgramChangeInProcessLeavesTheOtherProgramsAsTheyWere) {
    ParameterInfo program{};
    ASSERT_EQ(Controller().getParameterInfo(5, program), kResultOk);
    const double initTime = Value(1);
    ASSERT_TRUE(host.Start(44100.0, kFrames));
    AudioBuffers<float> in(2, kFrames), out(2, kFrames);
    ParameterChanges changes;
    changes.Add(program.id, 10, 3.0 / 5.0);
    ASSERT_EQ(host.Process(in, out, kFrames, &changes), kResultOk);
    EXPECT_NE(Value(1), initTime);
    ASSERT_EQ(Controller().setParamNormalized(program.id, 3.0 / 5.0), kResultOk);
    ASSERT_EQ(Controller().setParamNormalized(program.id, 0.0), kResultOk);
    EXPECT_EQ(Value(1), initTime);
    host.Stop();
}

} // namespace
