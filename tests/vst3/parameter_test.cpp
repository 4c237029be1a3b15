#include "tests/vst3/vst3_test_support.h"
#include "vst3/text16.h"

#include <cmath>

namespace {

using namespace vst3;

struct Expected {
    const char* name;
    int32 stepCount;
    double defaultNormalised;
};

// The five parameters as the VST2 build describes them: names, steps and defaults (Vol's 1.0 is
// half of its 0..2 range).
TEST_F(LoadedBundle, TheFiveParametersMatchTheVst2Build) {
    const Expected expected[5] = {{"Sensitivity", 0, 0.7},
                                  {"Time", 0, 0.5},
                                  {"Depth", 0, 0.75},
                                  {"Vol", 0, 0.5},
                                  {"OnOff", 1, 1.0}};
    ASSERT_EQ(Controller().getParameterCount(), 6); // and the program parameter
    PluginHost vst2;
    ASSERT_TRUE(vst2.Load(DefaultPluginPath())) << vst2.LastError();
    ASSERT_TRUE(vst2.Open());
    for (int i = 0; i < 5; ++i) {
        ParameterInfo info{};
        ASSERT_EQ(Controller().getParameterInfo(i, info), kResultOk);
        EXPECT_EQ(info.id, static_cast<ParamID>(i));
        EXPECT_EQ(Narrow(info.title), expected[i].name);
        EXPECT_EQ(Narrow(info.title), vst2.ParamName(i));
        EXPECT_EQ(info.stepCount, expected[i].stepCount) << expected[i].name;
        EXPECT_NEAR(info.defaultNormalizedValue, expected[i].defaultNormalised, 1e-12);
        EXPECT_NE(info.flags & ParameterInfo::kCanAutomate, 0);
        // The same texts as the VST2 display, and each text reads back as its value.
        for (double x : {0.0, 0.37, 1.0}) {
            vst2.SetParameter(i, static_cast<float>(x));
            String128 text{};
            ASSERT_EQ(Controller().getParamStringByValue(info.id, x, text), kResultOk);
            EXPECT_EQ(Narrow(text), vst2.ParamDisplay(i)) << expected[i].name << " " << x;
            // What the display shows reads back as a value that shows the same text.
            ParamValue back = -1.0;
            ASSERT_EQ(Controller().getParamValueByString(info.id, text, back), kResultOk);
            String128 again{};
            ASSERT_EQ(Controller().getParamStringByValue(info.id, back, again), kResultOk);
            EXPECT_EQ(Narrow(again), Narrow(text)) << expected[i].name << " " << x;
        }
    }
    String128 junk{};
    ToUtf16("loud", junk, 128);
    ParamValue untouched = 0.5;
    EXPECT_NE(Controller().getParamValueByString(0, junk, untouched), kResultOk);
    EXPECT_EQ(untouched, 0.5);
    ParameterInfo none{};
    EXPECT_NE(Controller().getParameterInfo(6, none), kResultOk);
}

} // namespace
