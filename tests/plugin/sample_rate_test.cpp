// The swell's timing in seconds holds at every sample rate the host sets, and a rate change
// keeps whatever is running.
#include "tests/plugin/plugin_session.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace {

StereoSignal Piece(const StereoSignal& s, int from, int to) {
    StereoSignal piece;
    piece.left.assign(s.left.begin() + from, s.left.begin() + to);
    piece.right.assign(s.right.begin() + from, s.right.begin() + to);
    return piece;
}

void Append(StereoSignal& to, const StereoSignal& piece) {
    to.left.insert(to.left.end(), piece.left.begin(), piece.left.end());
    to.right.insert(to.right.end(), piece.right.begin(), piece.right.end());
}

reference::Swell OpenedReferenceAt(double rate) {
    reference::Swell swell = OpenedReference();
    swell.SetSampleRate(rate);
    return swell;
}

int RiseStarts(const StereoSignal& in, const StereoSignal& out, int lookAhead) {
    int count = 0;
    for (size_t k = static_cast<size_t>(lookAhead); k < out.left.size(); ++k) {
        if (out.left[k] == 0.0 && in.left[k - static_cast<size_t>(lookAhead)] != 0.0) {
            ++count;
        }
    }
    return count;
}

} // namespace

// At 96 kHz: a 3 ms duck is 288 samples and the swell time is counted at 96 kHz too; the
// look-ahead stays 1362 samples.
TEST(SampleRate, AtNinetySixKilohertzTheDuckAndRiseAreCountedAtThatRate) {
    const double rate = 96000.0;
    const StereoSignal in = MakePlucks(
        {
            {9600, 0.3, 0.0},
            {96000, 0.5, 0.0},
        },
        150000, rate, 0.01);
    reference::Swell literal = OpenedReferenceAt(rate);
    const StereoSignal expected = RenderReference(literal, in);
    ASSERT_EQ(literal.Triggers().size(), 1u);
    const long t0 = literal.Triggers()[0];
    EXPECT_EQ(literal.EnvelopeState().duckLength, 288);
    EXPECT_EQ(literal.EnvelopeState().riseLength, 30357);

    Session session(rate, 512);
    ASSERT_TRUE(session.Loaded());
    const StereoSignal out = session.RenderDouble(in, {512});
    EXPECT_EQ(FirstDifference(out, expected), -1);

    const double mix = std::exp(std::log(0.75) * 0.3333333333333333);
    auto gain = [&](long k, double e) {
        return out.left[static_cast<size_t>(k)] ==
               (mix * e + (1.0 - mix)) * in.left[static_cast<size_t>(k - 1362)];
    };
    EXPECT_TRUE(gain(t0 + 287, (1.0 - 287 / 288.0) * 1.0));
    EXPECT_TRUE(gain(t0 + 288, (1.0 - 287 / 288.0) * 1.0));
    EXPECT_TRUE(gain(t0 + 1361, (1.0 - 287 / 288.0) * 1.0));
    EXPECT_TRUE(gain(t0 + 1362, 0.0));
    EXPECT_TRUE(gain(t0 + 1362 + 30356, 30356 / 30357.0));
    EXPECT_TRUE(gain(t0 + 1362 + 30357, 1.0));
}

TEST(SampleRate, AtNinetySixKilohertzTheMinimumIntervalIsNineThousandSixHundredSamples) {
    const double rate = 96000.0;
    auto riseStarts = [&](int spacing) {
        const StereoSignal in = MakePlucks(
            {{9600, 0.3, 0.0, 0.03}, {96000, 0.3, 0.0, 0.03}, {96000 + spacing, 0.3, 0.0, 0.03}},
            150000, rate, 0.01);
        Session session(rate, 1024);
        EXPECT_TRUE(session.Loaded());
        SetNormalised(session, Depth, 1.0f);
        return RiseStarts(in, session.RenderDouble(in), 1500);
    };
    EXPECT_EQ(riseStarts(6000), 1); // would be two if the interval were still 4410 samples
    EXPECT_EQ(riseStarts(12000), 2);
}

TEST(SampleRate, ARateChangeKeepsTheFiltersTheEnvelopeAndTheDelayLines) {
    const StereoSignal in = MusicLike();
    const int change = 50000; // inside a swell, with notes still ringing
    Session session;
    ASSERT_TRUE(session.Loaded());
    reference::Swell literal = OpenedReference();
    StereoSignal got = session.RenderDouble(Piece(in, 0, change), {300});
    StereoSignal expected = RenderReference(literal, Piece(in, 0, change));
    session.Host().SetSampleRate(48000.0);
    literal.SetSampleRate(48000.0);
    Append(got, session.RenderDouble(Piece(in, change, in.Frames()), {300}));
    Append(expected, RenderReference(literal, Piece(in, change, in.Frames())));
    EXPECT_EQ(FirstDifference(got, expected), -1);
    EXPECT_EQ(literal.EnvelopeState().duckLength, 144);
    // The samples delayed across the change come out after it.
    EXPECT_NE(got.left[change], 0.0);
}

TEST(SampleRate, AtFortyFourPointOneKilohertzNothingChanges) {
    const StereoSignal in = MusicLike();
    reference::Swell literal = OpenedReference();
    const StereoSignal expected = RenderReference(literal, in);

    Session session;
    ASSERT_TRUE(session.Loaded());
    StereoSignal got = session.RenderDouble(Piece(in, 0, 40000), {512});
    session.Host().SetSampleRate(44100.0);
    session.Host().MainsChanged(false);
    session.Host().SetBlockSize(256);
    session.Host().MainsChanged(true);
    Append(got, session.RenderDouble(Piece(in, 40000, in.Frames()), {256}));
    EXPECT_EQ(FirstDifference(got, expected), -1);
}

TEST(SampleRate, ReturningToFortyFourPointOneKilohertzRestoresItsValuesExactly) {
    const StereoSignal in = MusicLike();
    reference::Swell literal = OpenedReference();
    Session session(96000.0, 1024);
    ASSERT_TRUE(session.Loaded());
    session.Host().SetSampleRate(44100.0);
    EXPECT_EQ(FirstDifference(session.RenderDouble(in), RenderReference(literal, in)), -1);
}

TEST(SampleRate, RatesNoFilterCanRunAtAreIgnored) {
    const StereoSignal in = MusicLike();
    reference::Swell literal = OpenedReference();
    StereoSignal expected = RenderReference(literal, Piece(in, 0, 60000));
    literal.SetParameter(Time, 1.0);
    Append(expected, RenderReference(literal, Piece(in, 60000, in.Frames())));

    Session session;
    ASSERT_TRUE(session.Loaded());
    StereoSignal got = session.RenderDouble(Piece(in, 0, 30000));
    session.Host().SetSampleRate(10.0);
    Append(got, session.RenderDouble(Piece(in, 30000, 60000)));
    session.Host().SetSampleRate(1.0e9);
    SetNormalised(session, Time, 1.0f); // the rise length must not be computed at that rate
    Append(got, session.RenderDouble(Piece(in, 60000, in.Frames())));
    EXPECT_EQ(FirstDifference(got, expected), -1);
}
