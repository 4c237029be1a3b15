// When the gain dips and rises, seen in the output a host receives. The material is positive
// decaying steps over a small floor, so every input sample is non-zero and the gain applied to
// each output sample can be checked exactly against the envelope's formulas.
#include "tests/plugin/plugin_session.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr double Floor = 0.01;

StereoSignal Steps(const std::vector<Pluck>& notes, int frames, double rate = 44100.0) {
    return MakePlucks(notes, frames, rate, Floor);
}

// Where the literal detector fires on this material.
std::vector<long> TriggersOf(const StereoSignal& in, double rate = 44100.0) {
    reference::Swell literal = OpenedReference();
    if (rate != 44100.0) {
        literal.SetSampleRate(rate);
    }
    RenderReference(literal, in);
    return literal.Triggers();
}

// The default mix, the cube root of 0.75, and the share the envelope leaves untouched.
double DefaultMix() {
    return std::exp(std::log(0.75) * 0.3333333333333333);
}

// The output sample k must be the input lookAhead samples earlier times the gain for envelope
// value e, with the default mix and volume 1.
::testing::AssertionResult GainIs(const StereoSignal& in, const StereoSignal& out, long k,
                                  int lookAhead, double e) {
    const double mix = DefaultMix();
    const double expected = (mix * e + (1.0 - mix)) * (in.left[static_cast<size_t>(k - lookAhead)]);
    if (out.left[static_cast<size_t>(k)] == expected) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "at output " << k << " the gain is "
           << out.left[static_cast<size_t>(k)] / in.left[static_cast<size_t>(k - lookAhead)]
           << ", expected envelope " << e;
}

// Counts the samples where the gain is exactly the dry share, which is where a rise begins
// (envelope value 0): one per trigger whose rise was reached.
int RiseStarts(const StereoSignal& in, const StereoSignal& out, int lookAhead, double mix) {
    int count = 0;
    for (size_t k = static_cast<size_t>(lookAhead); k < out.left.size(); ++k) {
        if (out.left[k] ==
            (mix * 0.0 + (1.0 - mix)) * in.left[k - static_cast<size_t>(lookAhead)]) {
            ++count;
        }
    }
    return count;
}

} // namespace

// With the defaults at 44.1 kHz: duck 132 samples, wait to 1362 (the look-ahead), rise 13945,
// back at 1.0 from 15307 samples after the trigger sample.
TEST(SwellTiming, TheGainDipsBeforeTheDelayedAttackAndRisesBackOnSchedule) {
    const int attack = 44100;
    const StereoSignal in = Steps({{4410, 0.3, 0.0}, {attack, 0.5, 0.0}}, 70000);
    const std::vector<long> triggers = TriggersOf(in);
    ASSERT_EQ(triggers.size(), 1u);
    const long t0 = triggers[0];
    ASSERT_GE(t0, attack);
    ASSERT_LT(t0, attack + 200);

    Session session;
    ASSERT_TRUE(session.Loaded());
    ASSERT_EQ(session.Latency(), 1362);
    const StereoSignal out = session.RenderDouble(in, {256});
    const int n = 1362;
    for (long k = n; k <= t0; ++k) {
        ASSERT_TRUE(GainIs(in, out, k, n, 1.0));
    }
    for (int i = 0; i < 132; ++i) {
        ASSERT_TRUE(GainIs(in, out, t0 + i, n, (1.0 - i / 132.0) * 1.0));
    }
    const double lastDuck = (1.0 - 131 / 132.0) * 1.0;
    for (int i = 132; i < 1362; ++i) {
        ASSERT_TRUE(GainIs(in, out, t0 + i, n, lastDuck));
    }
    // The attack itself reaches the output while the gain is down.
    EXPECT_LT(out.left[static_cast<size_t>(attack + n)],
              0.2 * in.left[static_cast<size_t>(attack)]);
    for (int i = 1362; i < 15307; ++i) {
        ASSERT_TRUE(GainIs(in, out, t0 + i, n, (i - 1362) / 13945.0));
    }
    for (long k = t0 + 15307; k < static_cast<long>(out.left.size()); ++k) {
        ASSERT_TRUE(GainIs(in, out, k, n, 1.0));
    }
}

TEST(SwellTiming, TheFirstAttackAfterConstructionDoesNotTrigger) {
    const StereoSignal in = Steps({{4410, 0.5, 0.0}}, 40000);
    Session session;
    ASSERT_TRUE(session.Loaded());
    const StereoSignal out = session.RenderDouble(in, {512});
    for (long k = 1362; k < in.Frames(); ++k) {
        ASSERT_TRUE(GainIs(in, out, k, 1362, 1.0));
    }
}

TEST(SwellTiming, TwoEqualAttacksCloserThanTheMinimumIntervalGiveOneTrigger) {
    const double mix = 1.0; // Depth 1: the output is the envelope times the delayed input
    auto riseStarts = [&](int spacing) {
        // Short notes, so the slope has turned (and re-armed the detector) before the next one.
        const StereoSignal in = Steps(
            {{4410, 0.3, 0.0, 0.03}, {44100, 0.3, 0.0, 0.03}, {44100 + spacing, 0.3, 0.0, 0.03}},
            80000);
        EXPECT_EQ(TriggersOf(in).size(), spacing > 4410 ? 2u : 1u) << spacing;
        Session session;
        EXPECT_TRUE(session.Loaded());
        SetNormalised(session, Depth, 1.0f);
        EXPECT_EQ(session.Latency(), 1500);
        return RiseStarts(in, session.RenderDouble(in, {128}), 1500, mix);
    };
    // The second note's whole rise lies inside 4410 samples of the first one's start.
    EXPECT_EQ(riseStarts(3000), 1);
    EXPECT_EQ(riseStarts(4000), 1);
    EXPECT_EQ(riseStarts(6000), 2);
}

TEST(SwellTiming, AnAccentTriggersAtOnceInsideTheMinimumInterval) {
    const StereoSignal ordinary =
        Steps({{4410, 0.1, 0.0, 0.03}, {44100, 0.1, 0.0, 0.03}, {47100, 0.1, 0.0, 0.03}}, 80000);
    const StereoSignal accent =
        Steps({{4410, 0.1, 0.0, 0.03}, {44100, 0.1, 0.0, 0.03}, {47100, 0.6, 0.0, 0.03}}, 80000);
    const std::vector<long> ordinaryTriggers = TriggersOf(ordinary);
    const std::vector<long> accentTriggers = TriggersOf(accent);
    ASSERT_EQ(ordinaryTriggers.size(), 1u);
    ASSERT_EQ(accentTriggers.size(), 2u);
    // Well inside the minimum interval after the first trigger.
    EXPECT_LT(accentTriggers[1] - accentTriggers[0], 4410);

    Session session;
    ASSERT_TRUE(session.Loaded());
    SetNormalised(session, Depth, 1.0f);
    EXPECT_EQ(RiseStarts(accent, session.RenderDouble(accent, {128}), 1500, 1.0), 2);
}

TEST(SwellTiming, ARetriggerDuringTheRiseDucksFromThePartialValue) {
    const int second = 44100 + 8000; // well inside the first rise
    const StereoSignal in = Steps({{4410, 0.2, 0.0}, {44100, 0.2, 0.0}, {second, 0.2, 0.0}}, 80000);
    const std::vector<long> triggers = TriggersOf(in);
    ASSERT_EQ(triggers.size(), 2u);
    const long t0 = triggers[0];
    const long t1 = triggers[1];
    ASSERT_GT(t1, t0 + 1362);
    ASSERT_LT(t1, t0 + 15307);

    Session session;
    ASSERT_TRUE(session.Loaded());
    const StereoSignal out = session.RenderDouble(in, {64});
    const double partial = static_cast<double>(t1 - 1 - (t0 + 1362)) / 13945.0;
    ASSERT_GT(partial, 0.1);
    ASSERT_LT(partial, 0.9);
    for (int i = 0; i < 132; ++i) {
        ASSERT_TRUE(GainIs(in, out, t1 + i, 1362, (1.0 - i / 132.0) * partial));
    }
    ASSERT_TRUE(GainIs(in, out, t1 + 132, 1362, (1.0 - 131 / 132.0) * partial));
    ASSERT_TRUE(GainIs(in, out, t1 + 1362, 1362, 0.0));
}
