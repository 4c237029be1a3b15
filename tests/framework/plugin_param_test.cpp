#include "framework/plugin_param.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace {

std::string Shown(const PluginParam& param) {
    char text[ParamTextSize];
    param.FormatCurrent(text, sizeof text);
    return text;
}

std::string ShownFor(const PluginParam& param, double v, bool isNormalised) {
    char text[ParamTextSize];
    param.FormatValue(v, isNormalised, true, text, sizeof text);
    return text;
}

void InitSwitch(PluginParam& param) {
    param.SetKind(ParamKindInteger);
    param.InitNumeric("OnOff", 1.0, 0.0, 1.0, 1.0, 1.0);
}

} // namespace

TEST(ParamInit, AMaximumCloserThanOneStepIsRaisedToMinimumPlusStep) {
    PluginParam param;
    param.InitNumeric("p", 0.0, 0.0, 0.5, 1.0, 1.0);
    EXPECT_EQ(param.Maximum(), 1.0);
    EXPECT_EQ(param.Kind(), ParamKindContinuous);
}

TEST(ParamInit, DisplayPrecisionFollowsTheDecimalsOfTheStepUpToSix) {
    PluginParam param;
    param.InitNumeric("p", 0.0, 0.0, 1.0, 0.001, 1.0);
    EXPECT_EQ(param.DisplayPrecision(), 3);
    param.InitNumeric("p", 0.0, 0.0, 1.0, 0.25, 1.0);
    EXPECT_EQ(param.DisplayPrecision(), 2);
    param.InitNumeric("p", 0.0, 0.0, 1.0, 0.1234567, 1.0);
    EXPECT_EQ(param.DisplayPrecision(), 6);
    param.InitNumeric("p", 0.0, 0.0, 10.0, 1.0, 1.0);
    EXPECT_EQ(param.DisplayPrecision(), 0);
}

TEST(ParamInit, AZeroShapeStaysLinear) {
    PluginParam param;
    param.InitNumeric("p", 0.0, 0.0, 1.0, 0.001, 0.0);
    EXPECT_EQ(param.Shape(), 1.0);
    EXPECT_DOUBLE_EQ(param.ToNormalised(0.3), 0.3);
}

TEST(ParamInit, TheIntegerKindSetBeforehandIsKeptAndItsBoundsAreWholeNumbers) {
    PluginParam param;
    param.SetKind(ParamKindInteger);
    param.InitNumeric("n", 1.7, 0.4, 5.9, 1.0, 1.0);
    EXPECT_EQ(param.Kind(), ParamKindInteger);
    EXPECT_EQ(param.Value(), 1.0);
    EXPECT_EQ(param.Default(), 1.0);
    EXPECT_EQ(param.Minimum(), 0.0);
    EXPECT_EQ(param.Maximum(), 5.0);
}

TEST(ParamInit, NamesLongerThanTheFieldAreCutToThirtyOneCharacters) {
    PluginParam param;
    const std::string longName(100, 'n');
    param.InitNumeric(longName.c_str(), 0.0, 0.0, 1.0, 0.001, 1.0);
    EXPECT_EQ(std::string(param.Name()), longName.substr(0, 31));
    param.SetLabel(longName.c_str());
    EXPECT_EQ(std::string(param.Label()), longName.substr(0, 31));
}

TEST(ParamMapping, DiscreteKindsSnapToTheStepAndContinuousOnesDoNot) {
    PluginParam onOff;
    InitSwitch(onOff);
    onOff.SetFromNormalised(0.49);
    EXPECT_EQ(onOff.Value(), 0.0);
    onOff.SetFromNormalised(0.5);
    EXPECT_EQ(onOff.Value(), 1.0);

    PluginParam vol;
    vol.InitNumeric("Vol", 1.0, 0.0, 2.0, 0.001, 1.0);
    vol.SetFromNormalised(0.49);
    EXPECT_DOUBLE_EQ(vol.Value(), 0.98);
}

TEST(ParamMapping, AShapedCurveMapsBothWays) {
    PluginParam param;
    param.InitNumeric("p", 0.0, 0.0, 1.0, 0.001, 2.0);
    param.SetFromNormalised(0.5);
    EXPECT_DOUBLE_EQ(param.Value(), 0.25);
    EXPECT_DOUBLE_EQ(param.ToNormalised(0.25), 0.5);
}

TEST(ParamMapping, ToNormalisedClampsValuesOutsideTheRange) {
    PluginParam param;
    param.InitNumeric("Vol", 1.0, 0.0, 2.0, 0.001, 1.0);
    EXPECT_EQ(param.ToNormalised(5.0), 1.0);
    EXPECT_EQ(param.ToNormalised(-1.0), 0.0);
    EXPECT_EQ(param.ToNormalised(1.0), 0.5);
    EXPECT_EQ(param.ToNormalised(std::nan("")), 0.0);
}

TEST(ParamMapping, NormalisedValuesOutsideZeroToOneNeverLeaveTheRange) {
    PluginParam vol;
    vol.InitNumeric("Vol", 1.0, 0.5, 2.0, 0.001, 1.0);
    vol.SetFromNormalised(-0.5);
    EXPECT_EQ(vol.Value(), 0.5);
    vol.SetFromNormalised(3.0);
    EXPECT_EQ(vol.Value(), 2.0);
    vol.SetFromNormalised(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(vol.Value(), 0.5);

    // A shape below one would turn a negative x into NaN without the clamp.
    PluginParam curved;
    curved.InitNumeric("c", 0.0, 0.0, 1.0, 0.001, 0.5);
    curved.SetFromNormalised(-0.5);
    EXPECT_EQ(curved.Value(), 0.0);
}

TEST(ParamMapping, ANaNNormalisedValueGivesTheMaximum) {
    PluginParam vol;
    vol.InitNumeric("Vol", 1.0, 0.0, 2.0, 0.001, 1.0);
    vol.SetFromNormalised(std::nan(""));
    EXPECT_EQ(vol.Value(), 2.0);
}

TEST(ParamMapping, SnappingNeverRoundsBelowAMinimumOffTheStepGrid) {
    PluginParam param;
    param.SetKind(ParamKindEnumerated);
    param.InitNumeric("e", 0.3, 0.3, 3.0, 1.0, 1.0);
    param.SetFromNormalised(0.0);
    EXPECT_EQ(param.Value(), 0.3);
}

TEST(ParamMapping, SetClampedLimitsToTheRangeAndRefusesNaN) {
    PluginParam vol;
    vol.InitNumeric("Vol", 1.0, 0.0, 2.0, 0.001, 1.0);
    vol.SetClamped(7.0);
    EXPECT_EQ(vol.Value(), 2.0);
    vol.SetClamped(-7.0);
    EXPECT_EQ(vol.Value(), 0.0);
    vol.SetClamped(1.5);
    vol.SetClamped(std::nan(""));
    EXPECT_EQ(vol.Value(), 1.5);
}

TEST(ParamDisplay, ContinuousValuesShowTheirPrecisionAndIntegersShowWholeNumbers) {
    PluginParam sensitivity;
    sensitivity.InitNumeric("Sensitivity", 0.7, 0.0, 1.0, 0.001, 1.0);
    EXPECT_EQ(Shown(sensitivity), "0.700");
    PluginParam onOff;
    InitSwitch(onOff);
    EXPECT_EQ(Shown(onOff), "1");
}

TEST(ParamDisplay, PrecisionZeroTruncatesTowardZeroAndNegationFlipsTheSign) {
    PluginParam param;
    param.InitNumeric("p", 0.0, -10.0, 10.0, 1.0, 1.0);
    EXPECT_EQ(ShownFor(param, -2.9, false), "-2");
    param.SetNegateDisplay(true);
    EXPECT_EQ(ShownFor(param, 3.0, false), "-3");
}

TEST(ParamDisplay, NormalisedValuesAreMappedWithoutSnapping) {
    PluginParam vol;
    vol.InitNumeric("Vol", 1.0, 0.0, 2.0, 0.001, 1.0);
    EXPECT_EQ(ShownFor(vol, 0.25, true), "0.500");
    EXPECT_EQ(vol.Value(), 1.0); // the parameter itself is untouched
}

TEST(ParamDisplay, ValuesBeyondTheIntegerRangeAreShownWithoutUndefinedConversion) {
    PluginParam param;
    param.InitNumeric("p", 0.0, 0.0, 1e12, 1.0, 1.0);
    EXPECT_EQ(ShownFor(param, 5e11, false), "500000000000");
    EXPECT_EQ(ShownFor(param, std::nan(""), false).find("nan") != std::string::npos, true);
}

TEST(ParamDisplay, TheTextIsCutToTheCallersBuffer) {
    PluginParam param;
    param.InitNumeric("p", 123456.0, 0.0, 1e6, 0.001, 1.0);
    char text[8];
    param.FormatCurrent(text, sizeof text);
    EXPECT_STREQ(text, "123456.");
}

TEST(ParamDisplay, ADisplayTextReplacesTheNumberAndTheLabel) {
    PluginParam param;
    param.SetKind(ParamKindEnumerated);
    param.InitNumeric("Mode", 1.0, 0.0, 2.0, 1.0, 1.0);
    param.SetLabel("units");
    ASSERT_TRUE(param.AddDisplayText(1, "Fast"));
    ASSERT_TRUE(param.AddDisplayText(2, ""));
    EXPECT_EQ(Shown(param), "Fast");
    EXPECT_STREQ(param.LabelText(), "");
    param.SetValue(2.0); // an empty text does not count
    EXPECT_EQ(Shown(param), "2");
    EXPECT_STREQ(param.LabelText(), "units");
    std::int32_t value = 0;
    EXPECT_TRUE(param.ValueForDisplayText("Fast", value));
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(param.ValueForDisplayText("Slow", value));
}
