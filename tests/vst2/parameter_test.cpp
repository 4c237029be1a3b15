// Parameter reads and writes through the effect record's getParameter and setParameter.
#include "vst2_test_support.h"

#include <cmath>
#include <limits>

using Parameters = LoadedPlugin;

TEST_F(Parameters, FreshParametersReadBackAsTheirNormalisedDefaults) {
    const float expected[5] = {0.7f, 0.5f, 0.75f, 0.5f, 1.0f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_FLOAT_EQ(host.GetParameter(i), expected[i]) << "parameter " << i;
    }
}

TEST_F(Parameters, IndexesOutsideTheListReadAsZeroAndWriteNothing) {
    EXPECT_EQ(host.GetParameter(-1), 0.0f);
    EXPECT_EQ(host.GetParameter(5), 0.0f);
    const std::vector<uint8_t> before = host.GetChunk(true);
    host.SetParameter(-1, 0.1f);
    host.SetParameter(5, 0.1f);
    EXPECT_EQ(host.GetChunk(true), before);
}

TEST_F(Parameters, AWrittenValueReadsBackAndShowsInTheDisplay) {
    host.SetParameter(3, 0.75f); // Vol 0..2
    EXPECT_FLOAT_EQ(host.GetParameter(3), 0.75f);
    EXPECT_EQ(host.ParamDisplay(3), "1.500");
}

TEST_F(Parameters, ValuesBelowZeroFromTheHostStopAtTheMinimum) {
    host.SetParameter(3, -0.5f);
    EXPECT_EQ(host.GetParameter(3), 0.0f);
    EXPECT_EQ(host.ParamDisplay(3), "0.000");
    host.SetParameter(4, -0.5f);
    EXPECT_EQ(host.ParamDisplay(4), "0");
}

TEST_F(Parameters, ValuesAboveOneFromTheHostStopAtTheMaximum) {
    host.SetParameter(3, 7.0f);
    EXPECT_EQ(host.GetParameter(3), 1.0f);
    EXPECT_EQ(host.ParamDisplay(3), "2.000");
    host.SetParameter(3, std::numeric_limits<float>::infinity());
    EXPECT_EQ(host.GetParameter(3), 1.0f);
    host.SetParameter(3, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(host.GetParameter(3), 0.0f);
}

TEST_F(Parameters, ANotANumberFromTheHostSetsTheMaximumNeverNaN) {
    host.SetParameter(3, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(host.GetParameter(3), 1.0f);
    EXPECT_EQ(host.ParamDisplay(3), "2.000");
}

TEST_F(Parameters, TheIntegerSwitchSnapsAtOneHalf) {
    host.SetParameter(4, 0.49f);
    EXPECT_EQ(host.GetParameter(4), 0.0f);
    host.SetParameter(4, 0.5f);
    EXPECT_EQ(host.GetParameter(4), 1.0f);
}

TEST_F(Parameters, AWriteReachesTheEffectsParameterHandler) {
    host.SetParameter(2, 0.5f); // the test effect turns Depth into latency
    EXPECT_EQ(Effect()->initialDelay, 0);
    ProcessABlock(); // from the next block on
    EXPECT_EQ(Effect()->initialDelay, 500);
}
