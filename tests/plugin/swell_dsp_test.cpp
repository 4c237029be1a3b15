// The processing classes against the literal algorithm, where a host cannot reach them.
#include "plugin/delay_line.h"
#include "plugin/filter_lp2.h"
#include "plugin/onset_detector.h"
#include "plugin/swell_envelope.h"
#include "tests/plugin/reference_swell.h"
#include "tests/plugin/test_signals.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace {

std::vector<double> RandomSignal(int count, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> sample(-1.0, 1.0);
    std::vector<double> v(static_cast<size_t>(count));
    for (double& x : v) {
        x = sample(generator);
    }
    return v;
}

reference::Filter ReferenceFilter(double fs, double fc, double q) {
    reference::Filter f;
    f.fs = fs;
    f.fc = fc;
    f.q = q;
    f.Recompute();
    return f;
}

std::vector<double> Mono(const StereoSignal& s) {
    std::vector<double> m(s.left.size());
    for (size_t k = 0; k < m.size(); ++k) {
        m[k] = (s.right[k] + s.left[k]) * 0.5;
    }
    return m;
}

} // namespace

TEST(FilterLP2, StepsGiveExactlyTheWrittenOrderOfOperations) {
    FilterLP2 filter(48000.0, 60.0, 0.6);
    reference::Filter literal = ReferenceFilter(48000.0, 60.0, 0.6);
    for (double u : RandomSignal(20000, 1)) {
        ASSERT_EQ(filter.Step(u), literal.Step(u));
    }
}

TEST(FilterLP2, BothBlockOperationsMatchSampleBySampleSteps) {
    const std::vector<double> input = RandomSignal(777, 2);
    FilterLP2 stepped(44100.0, 6.0, 0.6);
    FilterLP2 byPointer(44100.0, 6.0, 0.6);
    FilterLP2 byVector(44100.0, 6.0, 0.6);
    std::vector<double> pointerOut(input.size());
    std::vector<double> vectorOut(input.size());
    BlockProcessor& p = byPointer;
    BlockProcessor& v = byVector;
    p.ProcessBlock(input.data(), pointerOut.data(), static_cast<int>(input.size()));
    v.ProcessBlock(input, vectorOut);
    for (size_t i = 0; i < input.size(); ++i) {
        const double expected = stepped.Step(input[i]);
        ASSERT_EQ(pointerOut[i], expected);
        ASSERT_EQ(vectorOut[i], expected);
    }
}

TEST(FilterLP2, RetuningKeepsTheOutputsItHasReached) {
    const std::vector<double> input = RandomSignal(4000, 3);
    FilterLP2 filter(44100.0, 60.0, 0.6);
    reference::Filter literal = ReferenceFilter(44100.0, 60.0, 0.6);
    for (size_t i = 0; i < input.size(); ++i) {
        if (i == 2000) {
            filter.SetSampleRate(96000.0);
            literal.fs = 96000.0;
            literal.Recompute();
        }
        ASSERT_EQ(filter.Step(input[i]), literal.Step(input[i])) << i;
    }
}

TEST(DelayLine, RingGivesTheSameSamplesAsTheShiftingArray) {
    DelayLine ring(1500, 512);
    reference::Delay literal;
    std::mt19937 generator(4);
    std::uniform_int_distribution<int> size(0, 3000);
    for (int round = 0; round < 300; ++round) {
        const int m = round % 5 == 0 ? size(generator) : size(generator) % 200;
        const std::vector<double> block = RandomSignal(m, static_cast<unsigned>(round + 10));
        ring.Write(block.data(), m);
        literal.Write(block.data(), m);
        for (int i = 0; i < 1500; ++i) {
            ASSERT_EQ(ring.Sample(i), literal.samples[static_cast<size_t>(i)])
                << "round " << round << " i " << i;
        }
    }
}

TEST(DelayLine, ReadingBackAWrittenBlockSpansTheWrapInStreamOrder) {
    DelayLine ring(1500, 512);
    std::vector<double> stream;
    for (int round = 0; round < 40; ++round) {
        const std::vector<double> block = RandomSignal(500, static_cast<unsigned>(round + 100));
        ring.Write(block.data(), 500);
        stream.insert(stream.end(), block.begin(), block.end());
        const int back = 500 + 1500;
        DelayLine::Run first{};
        DelayLine::Run second{};
        ring.Read(back, 500, first, second);
        ASSERT_EQ(first.count + second.count, 500);
        const long start = static_cast<long>(stream.size()) - back;
        for (int k = 0; k < 500; ++k) {
            const double got = k < first.count ? first.samples[k] : second.samples[k - first.count];
            const double expected = start + k < 0 ? 0.0 : stream[static_cast<size_t>(start + k)];
            ASSERT_EQ(got, expected) << round << " " << k;
        }
    }
}

TEST(OnsetDetector, TriggersOnExactlyTheSamplesOfTheLiteralDetector) {
    const std::vector<double> mono = Mono(MusicLike());
    OnsetDetector detector;
    detector.SetSampleRate(44100.0);
    detector.SetThreshold(0.1215);
    reference::Detector literal;
    literal.SetSampleRate(44100.0);
    literal.threshold = 0.1215;
    int triggers = 0;
    for (size_t k = 0; k < mono.size(); ++k) {
        const bool fired = detector.Step(mono[k]);
        ASSERT_EQ(fired, literal.Step(mono[k])) << k;
        triggers += fired ? 1 : 0;
    }
    EXPECT_GE(triggers, 4); // the material really exercises the detector
}

TEST(OnsetDetector, TheSampleCountSaturatesInsteadOfWrapping) {
    OnsetDetector detector;
    detector.SetSampleRate(44100.0);
    detector.SetCountForTest(std::numeric_limits<std::int32_t>::max() - 3);
    for (int i = 0; i < 10; ++i) {
        detector.Step(0.0);
    }
    EXPECT_EQ(detector.Count(), std::numeric_limits<std::int32_t>::max());
}

// Thirteen and a half hours of quiet after an armed detector must not hold back the next note.
TEST(OnsetDetector, AnAttackAfterTheCountSaturatedStillTriggers) {
    const StereoSignal primer = MakePlucks({{100, 0.5, 220.0}}, 44100);
    OnsetDetector detector;
    detector.SetSampleRate(44100.0);
    detector.SetThreshold(0.1215);
    for (double x : Mono(primer)) {
        detector.Step(x);
    }
    for (int i = 0; i < 44100; ++i) { // quiet, so the zero crossing has armed it
        detector.Step(0.0);
    }
    detector.SetCountForTest(std::numeric_limits<std::int32_t>::max() - 10);
    for (int i = 0; i < 1000; ++i) {
        detector.Step(0.0);
    }
    const StereoSignal note = MakePlucks({{0, 0.5, 220.0}}, 4410);
    bool fired = false;
    for (double x : Mono(note)) {
        fired = detector.Step(x) || fired;
    }
    EXPECT_TRUE(fired);
}

TEST(SwellEnvelope, FollowsTheLiteralEnvelopeThroughEveryPhase) {
    SwellEnvelope envelope;
    envelope.SetRiseLength(700);
    envelope.SetDuckLength(132);
    envelope.SetWaitLength(300);
    reference::Envelope literal;
    literal.riseLength = 700;
    literal.duckLength = 132;
    literal.waitLength = 300;
    std::mt19937 generator(5);
    std::uniform_int_distribution<int> chance(0, 999);
    for (int k = 0; k < 100000; ++k) {
        const bool trigger = chance(generator) < 2;
        ASSERT_EQ(envelope.Step(trigger), literal.Step(trigger)) << k;
    }
}

TEST(SwellEnvelope, ShorteningARunningDuckEndsItWithoutGoingBelowZero) {
    SwellEnvelope envelope;
    envelope.SetDuckLength(288);
    envelope.Step(true);
    for (int i = 0; i < 200; ++i) {
        envelope.Step(false);
    }
    envelope.SetDuckLength(132); // the duck is already past its new end
    const double value = envelope.Step(false);
    EXPECT_GE(value, 0.0);
    EXPECT_EQ(envelope.CurrentPhase(), SwellEnvelope::Phase::Wait);
}

TEST(SwellEnvelope, ZeroLengthsAreRaisedToOneSampleSoNoStepGivesNaN) {
    SwellEnvelope envelope;
    envelope.SetDuckLength(0);
    envelope.SetRiseLength(0);
    envelope.SetWaitLength(-5);
    for (int k = 0; k < 100; ++k) {
        const double value = envelope.Step(k % 7 == 0);
        ASSERT_FALSE(std::isnan(value)) << k;
        ASSERT_LE(std::fabs(value), 1.0);
    }
}
