// Parameters as a CLAP host sees them: the five parameters of the VST2 build with the same texts
// at the ends of their ranges and at their defaults, text round trips, values taken by flush
// without processing, and changes applied at their sample offset: a change at frame k of a block
// must sound exactly like the VST2 build with its block cut at k and the change made in between.
#include "host/plugin_host.h"
#include "tests/clap/clap_session.h"

#include <cmath>

using namespace clap_test;

namespace {

// The VST2 build's display of a parameter at a normalised value, with and without its label.
bool SameAsVst2(PluginHost& vst2, int index, float normalised, const std::string& text) {
    vst2.SetParameter(index, normalised);
    const std::string display = vst2.ParamDisplay(index);
    const std::string label = vst2.ParamLabel(index);
    return text == display || text == display + " " + label || text == display + label;
}

} // namespace

TEST(ClapParams, TheFiveParametersReadAsInTheVst2Build) {
    ClapSession session;
    ASSERT_TRUE(session.Open(false));
    PluginHost vst2;
    ASSERT_TRUE(vst2.Load(DefaultPluginPath())) << vst2.LastError();
    ASSERT_TRUE(vst2.Open());
    const std::vector<clap_param_info> infos = session.instance.ParamInfos();
    ASSERT_EQ(static_cast<int>(infos.size()), vst2.Effect()->numParams);
    for (int i = 0; i < static_cast<int>(infos.size()); ++i) {
        const clap_param_info& info = infos[static_cast<size_t>(i)];
        SCOPED_TRACE(info.name);
        EXPECT_EQ(info.name, vst2.ParamName(i));
        // Qtractor shows only automatable, writable parameters.
        EXPECT_NE(info.flags & CLAP_PARAM_IS_AUTOMATABLE, 0u);
        EXPECT_EQ(info.flags & (CLAP_PARAM_IS_READONLY | CLAP_PARAM_IS_HIDDEN), 0u);
        EXPECT_LT(info.min_value, info.max_value);
        double value = NAN;
        EXPECT_TRUE(session.instance.ParamValue(info.id, value));
        EXPECT_EQ(value, info.default_value);
        const float vst2Default = vst2.GetParameter(i);
        std::string text;
        for (const auto& [plain, normalised] :
             {std::pair{info.min_value, 0.f}, std::pair{info.max_value, 1.f},
              std::pair{info.default_value, vst2Default}}) {
            EXPECT_TRUE(session.instance.ValueToText(info.id, plain, text)) << plain;
            EXPECT_TRUE(SameAsVst2(vst2, i, normalised, text)) << plain << " reads " << text;
        }
    }
}

TEST(ClapParams, TextsRoundTripAndGarbageGetsADefinedAnswer) {
    ClapSession session;
    ASSERT_TRUE(session.Open(false));
    for (const clap_param_info& info : session.instance.ParamInfos()) {
        SCOPED_TRACE(info.name);
        for (int step = 0; step <= 20; ++step) {
            const double plain = info.min_value + (info.max_value - info.min_value) * step / 20.0;
            std::string text;
            std::string again;
            double back = NAN;
            ASSERT_TRUE(session.instance.ValueToText(info.id, plain, text)) << plain;
            ASSERT_TRUE(session.instance.TextToValue(info.id, text, back)) << text;
            EXPECT_TRUE(back >= info.min_value && back <= info.max_value) << text << " " << back;
            EXPECT_TRUE(session.instance.ValueToText(info.id, back, again));
            EXPECT_EQ(again, text) << "value " << plain << " read back as " << back;
        }
        for (const char* garbage : {"", "abc", "nan", "-inf", "1e999", "--5", "\xff\xfe"}) {
            double value = 0.25;
            if (session.instance.TextToValue(info.id, garbage, value)) {
                EXPECT_TRUE(value >= info.min_value && value <= info.max_value)
                    << "\"" << garbage << "\" gave " << value;
            }
        }
        std::string text;
        EXPECT_FALSE(session.instance.ValueToText(0xDEAD, info.default_value, text));
        // A one-byte buffer gets at most its terminator; the guard byte after it stays.
        session.instance.ValueToText(info.id, info.default_value, text, 1);
        EXPECT_NE(text, "(written past its capacity or unterminated)");
    }
}

TEST(ClapParams, FlushTakesValuesWithoutProcessing) {
    // Inactive, then active but not processing: flush runs on the main thread; values outside
    // the range are clamped or ignored, and a NaN is ignored.
    ClapSession session;
    ASSERT_TRUE(session.Open(false));
    for (int phase = 0; phase < 2; ++phase) {
        if (phase == 1) {
            ASSERT_TRUE(session.instance.Activate());
        }
        for (const clap_param_info& info : session.instance.ParamInfos()) {
            SCOPED_TRACE(info.name);
            for (const auto& [sent, expected] :
                 {std::pair{info.max_value, info.max_value},
                  std::pair{info.min_value - 100.0, info.min_value},
                  std::pair{info.max_value + 100.0, info.max_value},
                  std::pair{static_cast<double>(NAN), info.max_value}}) {
                ClapInputEvents events;
                ClapOutputEvents output;
                events.Add(ParamValueEvent(0, info.id, sent, info.cookie).header);
                double before = NAN;
                double value = NAN;
                ASSERT_TRUE(session.instance.ParamValue(info.id, before));
                session.instance.Flush(events, output);
                ASSERT_TRUE(session.instance.ParamValue(info.id, value));
                EXPECT_TRUE(value == expected || (value == before && sent != info.max_value))
                    << "sent " << sent << ", was " << before << ", now " << value;
            }
        }
    }
    EXPECT_EQ(session.services.Violations(), std::vector<std::string>{});
}

TEST(ClapParams, AChangeTakesEffectAtItsSampleOffset) {
    const int block = 256;
    const auto input = battery::MakeSignal(battery::Signal::Noise, 2, 4 * block, 44100.0, 17);
    for (std::uint32_t offset : {0u, 1u, 100u, 255u}) {
        for (const char* param : {"Vol", "Sensitivity", "Time"}) {
            SCOPED_TRACE(std::string(param) + " at offset " + std::to_string(offset));
            ClapSession session;
            ASSERT_TRUE(session.Open());
            PluginHost vst2;
            ASSERT_TRUE(vst2.Load(DefaultPluginPath())) << vst2.LastError();
            ASSERT_TRUE(vst2.Open(44100.0, block));
            // Two changes: one inside the second block, one back inside the third.
            const std::vector<Change> changes = {{block + offset, param, true},
                                                 {2 * block + offset, param, false}};
            EXPECT_EQ(Compare(RenderVst2(vst2, input, block, changes),
                              RenderClap(session.instance, input, block, changes)),
                      "");
        }
    }
}
