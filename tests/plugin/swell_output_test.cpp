// The swelled output as a host receives it, against the literal algorithm, bit for bit.
#include "tests/plugin/plugin_session.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

TEST(SwellOutput, MatchesTheLiteralAlgorithmBitForBitWithTheDefaults) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    const StereoSignal in = MusicLike();
    reference::Swell literal = OpenedReference();
    const StereoSignal expected = RenderReference(literal, in);
    ASSERT_GE(literal.Triggers().size(), 4u); // the material swells several notes
    EXPECT_EQ(FirstDifference(session.RenderDouble(in), expected), -1);
}

TEST(SwellOutput, TheFloatPathMatchesTheLiteralAlgorithmOnTheSameFloatSamples) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    const StereoSignal in = RoundedToFloat(MusicLike());
    reference::Swell literal = OpenedReference();
    const StereoSignal expected = NarrowedToFloat(RenderReference(literal, in));
    EXPECT_EQ(FirstDifference(session.RenderFloat(in, 512), expected), -1);
}

TEST(SwellOutput, MatchesTheLiteralAlgorithmForEveryFactoryPreset) {
    const StereoSignal in = MusicLike();
    for (int preset = 0; preset < 6; ++preset) {
        Session session;
        ASSERT_TRUE(session.Loaded());
        session.Host().SetProgram(preset);
        reference::Swell literal = OpenedReference();
        for (int i = 0; i < 5; ++i) {
            literal.SetParameter(i, FactoryPresets[preset].values[i]);
        }
        const StereoSignal expected = RenderReference(literal, in);
        EXPECT_EQ(FirstDifference(session.RenderDouble(in), expected), -1)
            << FactoryPresets[preset].name;
    }
}

TEST(SwellOutput, MatchesTheLiteralAlgorithmWithEveryParameterAwayFromItsDefault) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    const float normalised[4] = {0.55f, 0.2f, 0.33f, 0.7f};
    reference::Swell literal = OpenedReference();
    for (int i = 0; i < 4; ++i) {
        session.Host().SetParameter(i, normalised[i]);
        const double range = i == Vol ? 2.0 : 1.0;
        literal.SetParameter(i, static_cast<double>(normalised[i]) * range);
    }
    const StereoSignal in = MusicLike();
    const StereoSignal expected = RenderReference(literal, in);
    EXPECT_EQ(FirstDifference(session.RenderDouble(in, {200}), expected), -1);
}

TEST(SwellOutput, DoesNotDependOnHowTheHostCutsTheStreamIntoBlocks) {
    const StereoSignal in = MusicLike();
    reference::Swell literal = OpenedReference();
    const StereoSignal expected = RenderReference(literal, in);
    const std::vector<std::vector<int>> cuts = {
        {1}, {7}, {64}, {1024}, {1, 1023, 5, 700, 64, 3, 1500 - 1362, 1024, 2, 333, 512, 17}};
    for (const std::vector<int>& blocks : cuts) {
        Session session;
        ASSERT_TRUE(session.Loaded());
        EXPECT_EQ(FirstDifference(session.RenderDouble(in, blocks), expected), -1)
            << "first block size " << blocks.front();
    }
}

TEST(SwellOutput, InPlaceProcessingGivesExactlyTheResultOfSeparateBuffers) {
    const StereoSignal in = MusicLike();
    Session separate;
    ASSERT_TRUE(separate.Loaded());
    const StereoSignal expected = separate.RenderDouble(in, {256});

    Session inPlace;
    ASSERT_TRUE(inPlace.Loaded());
    StereoSignal io = in;
    for (int offset = 0; offset < io.Frames(); offset += 256) {
        const int frames = std::min(256, io.Frames() - offset);
        double* channels[2] = {io.left.data() + offset, io.right.data() + offset};
        inPlace.Host().ProcessDoubleReplacing(channels, channels, frames);
    }
    EXPECT_EQ(FirstDifference(io, expected), -1);
}

TEST(SwellOutput, SwitchedOffTheOutputIsABitExactCopyWithoutDelay) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    SetNormalised(session, OnOff, 0.0f);
    const StereoSignal in = RoundedToFloat(MusicLike());
    EXPECT_EQ(FirstDifference(session.RenderDouble(in, {333}), in), -1);
    EXPECT_EQ(FirstDifference(session.RenderFloat(in, 1000), in), -1);
}

TEST(SwellOutput, DepthZeroGivesTheInputTimesTheVolumeExactly) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    SetNormalised(session, Depth, 0.0f);
    SetNormalised(session, Vol, 0.25f); // volume 0.5
    const StereoSignal in = MusicLike();
    StereoSignal expected = in;
    for (size_t k = 0; k < in.left.size(); ++k) {
        expected.left[k] = in.left[k] * 0.5;
        expected.right[k] = in.right[k] * 0.5;
    }
    EXPECT_EQ(FirstDifference(session.RenderDouble(in, {100}), expected), -1);
}

TEST(SwellOutput, SilenceGivesSilence) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    const StereoSignal in = MakePlucks({}, 20000);
    const StereoSignal out = session.RenderDouble(in, {64});
    EXPECT_EQ(FirstDifference(out, in), -1);
}

// After switching back on, the first lookAhead samples come from the history kept when the
// effect was switched off.
TEST(SwellOutput, SwitchingBackOnResumesFromTheHistoryKeptWhenSwitchedOff) {
    const StereoSignal in = MusicLike();
    const int cut = 60000;
    const int resume = 90000;
    Session session;
    ASSERT_TRUE(session.Loaded());
    reference::Swell literal = OpenedReference();
    StereoSignal got;
    StereoSignal expected;
    auto run = [&](int from, int to) {
        StereoSignal piece;
        piece.left.assign(in.left.begin() + from, in.left.begin() + to);
        piece.right.assign(in.right.begin() + from, in.right.begin() + to);
        const StereoSignal a = session.RenderDouble(piece, {512});
        const StereoSignal b = RenderReference(literal, piece, 512);
        got.left.insert(got.left.end(), a.left.begin(), a.left.end());
        got.right.insert(got.right.end(), a.right.begin(), a.right.end());
        expected.left.insert(expected.left.end(), b.left.begin(), b.left.end());
        expected.right.insert(expected.right.end(), b.right.begin(), b.right.end());
    };
    run(0, cut);
    SetNormalised(session, OnOff, 0.0f);
    literal.SetParameter(OnOff, 0.0);
    run(cut, resume);
    SetNormalised(session, OnOff, 1.0f);
    literal.SetParameter(OnOff, 1.0);
    run(resume, in.Frames());
    EXPECT_EQ(FirstDifference(got, expected), -1);
    // The resumed output starts with the samples from before the cut, not with the new input.
    EXPECT_NE(got.left[resume], in.left[resume]);
}
