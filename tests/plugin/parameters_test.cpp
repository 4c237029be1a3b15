// The parameters, presets and latency as a host sees them.
#include "tests/plugin/plugin_session.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

TEST(EffectParameters, AfterOpeningEveryParameterReadsBackItsDefaultNormalised) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    const float expected[5] = {0.7f, 0.5f, 0.75f, 0.5f, 1.0f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(session.Host().GetParameter(i), expected[i]) << i;
    }
}

TEST(EffectParameters, NamesAndDisplaysAreTheOnesAHostShows) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    const char* names[5] = {"Sensitivity", "Time", "Depth", "Vol", "OnOff"};
    // 10^(3 * 0.5 - 2) = 0.316 s; unity gain is 0 dB.
    const char* displays[5] = {"70.0", "0.32", "75.0", "0.0", "on"};
    const char* labels[5] = {"%", "s", "%", "dB", ""};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(session.Host().ParamName(i), names[i]);
        EXPECT_EQ(session.Host().ParamDisplay(i), displays[i]);
        EXPECT_EQ(session.Host().ParamLabel(i), labels[i]);
    }
}

TEST(EffectParameters, TheSixFactoryPresetsAreListedInOrderWithInitCurrent) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    EXPECT_EQ(session.Host().Effect()->numPrograms, 6);
    EXPECT_EQ(session.Host().Program(), 0);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(session.Host().ProgramNameIndexed(i), FactoryPresets[i].name);
    }
}

TEST(EffectParameters, EachPresetLoadsItsValues) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    const double maxima[5] = {1.0, 1.0, 1.0, 2.0, 1.0};
    for (int p = 5; p >= 0; --p) {
        session.Host().SetProgram(p);
        EXPECT_EQ(session.Host().ProgramName(), FactoryPresets[p].name);
        for (int i = 0; i < 5; ++i) {
            EXPECT_FLOAT_EQ(session.Host().GetParameter(i),
                            static_cast<float>(FactoryPresets[p].values[i] / maxima[i]))
                << FactoryPresets[p].name << " " << i;
        }
    }
}

TEST(EffectParameters, OnOffBelowOneHalfIsOffAndFromOneHalfOn) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    SetNormalised(session, OnOff, 0.49f);
    EXPECT_EQ(session.Host().GetParameter(OnOff), 0.0f);
    EXPECT_EQ(session.Host().ParamDisplay(OnOff), "off");
    EXPECT_EQ(session.Latency(), 0);
    SetNormalised(session, OnOff, 0.5f);
    EXPECT_EQ(session.Host().GetParameter(OnOff), 1.0f);
    EXPECT_EQ(session.Latency(), 1362);
}

TEST(EffectIdentity, NamesVersionAndCodesAreTheEffects) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    EXPECT_EQ(session.Host().EffectName(), "Crescenda");
    EXPECT_EQ(session.Host().DispatchText(effGetVendorString), "quillmoss");
    EXPECT_EQ(session.Host().DispatchText(effGetProductString), "");
    EXPECT_EQ(session.Host().Effect()->uniqueID, 0x4372736E);
    EXPECT_EQ(session.Host().Effect()->version, 10000);
    EXPECT_EQ(session.Host().Effect()->numParams, 5);
    EXPECT_EQ(session.Host().Effect()->numInputs, 2);
    EXPECT_EQ(session.Host().Effect()->numOutputs, 2);
    EXPECT_NE(session.Host().Effect()->flags & effFlagsCanMono, 0);
    EXPECT_EQ(session.Host().Effect()->flags & effFlagsProgramChunks, 0);
}

TEST(EffectLatency, TheReportedLatencyFollowsDepthAndOnOff) {
    PluginHost host;
    ASSERT_TRUE(host.Load(DefaultPluginPath()));
    EXPECT_EQ(host.Effect()->initialDelay, 0); // nothing derived before the host opens it
    ASSERT_TRUE(host.Open(44100.0, 512));
    EXPECT_EQ(host.Effect()->initialDelay, 1362); // derived at once when the host opens it
    host.SetParameter(Depth, 0.0f);
    EXPECT_EQ(LatencyAfterNextBlock(host), 0);
    host.SetParameter(Depth, 1.0f);
    EXPECT_EQ(LatencyAfterNextBlock(host), 1500);
    host.SetProgram(3); // "Arpeggio": Depth 1
    EXPECT_EQ(LatencyAfterNextBlock(host), 1500);
    host.SetParameter(OnOff, 0.0f);
    EXPECT_EQ(LatencyAfterNextBlock(host), 0);
    host.SetParameter(OnOff, 1.0f);
    EXPECT_EQ(LatencyAfterNextBlock(host), 1500);
    host.SetProgram(2); // "Funked Swell": Depth 0.5 gives trunc(1500 · 0.5^(1/3))
    EXPECT_EQ(LatencyAfterNextBlock(host), 1190);
}

TEST(EffectLatency, ArpeggioSwellsWithTheFullEnvelopeAndTheLongestLookAhead) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    session.Host().SetProgram(3);
    const StereoSignal in = MakePlucks({{4410, 0.3, 0.0}, {44100, 0.5, 0.0}}, 70000, 44100.0, 0.01);
    const StereoSignal out = session.RenderDouble(in);
    reference::Swell literal = OpenedReference();
    for (int i = 0; i < 5; ++i) {
        literal.SetParameter(i, FactoryPresets[3].values[i]);
    }
    EXPECT_EQ(literal.Mix(), 1.0);
    EXPECT_EQ(FirstDifference(out, RenderReference(literal, in)), -1);
    // Mix 1: at the rise start the output is exactly silent.
    ASSERT_EQ(literal.Triggers().size(), 1u);
    EXPECT_EQ(out.left[static_cast<size_t>(literal.Triggers()[0] + 1500)], 0.0);
}

// Values a host should not send still give a defined result: the nearest value in range.
TEST(EffectParameters, OutOfRangeNormalisedValuesActLikeTheNearestEnd) {
    const StereoSignal in = MusicLike();
    const float bad[3] = {-0.5f, 1.5f, std::numeric_limits<float>::quiet_NaN()};
    for (float value : bad) {
        for (int index = 0; index < 4; ++index) {
            Session session;
            ASSERT_TRUE(session.Loaded());
            session.Host().SetParameter(index, value);
            const float stored = session.Host().GetParameter(index);
            ASSERT_GE(stored, 0.0f);
            ASSERT_LE(stored, 1.0f);
            Session clean;
            ASSERT_TRUE(clean.Loaded());
            clean.Host().SetParameter(index, stored);
            const StereoSignal out = session.RenderDouble(in, {512});
            for (size_t k = 0; k < out.left.size(); ++k) {
                ASSERT_TRUE(std::isfinite(out.left[k]) && std::isfinite(out.right[k]))
                    << "parameter " << index << " value " << value << " sample " << k;
            }
            EXPECT_EQ(FirstDifference(out, clean.RenderDouble(in, {512})), -1)
                << "parameter " << index << " value " << value;
        }
    }
}
