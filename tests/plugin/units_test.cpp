// Parameter texts in a musician's units, through the entry point as a host reads and types them:
// Time in seconds (10^(3v - 2)), Vol in decibels (20 log10 of its 0..2 gain), Sensitivity and
// Depth in percent, OnOff as on and off.
#include "tests/plugin/plugin_session.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace {

bool Type(PluginHost& host, int index, std::string text) {
    return host.Dispatch(effString2Parameter, index, 0, text.data()) == 1;
}

constexpr double Refused = -1.0;

} // namespace

TEST(ParameterUnits, DisplaysShowTheValueInItsUnit) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    // Three decimals below 0.1 s: the float nearest 1/3 gives 0.1000000069 s, which is not.
    const std::tuple<int, float, const char*> cases[] = {
        {Time, 0.0f, "0.010"}, {Time, 0.3f, "0.079"}, {Time, 1.0f / 3.0f, "0.10"},
        {Time, 0.9f, "5.01"},  {Time, 1.0f, "10.0"},  {Vol, 0.0f, "-inf"},
        {Vol, 0.25f, "-6.0"},  {Vol, 1.0f, "+6.0"},   {Sensitivity, 0.676f, "67.6"},
        {Depth, 0.0f, "0.0"},  {OnOff, 0.0f, "off"}};
    for (const auto& [param, normalised, shown] : cases) {
        session.Host().SetParameter(param, normalised);
        EXPECT_EQ(session.Host().ParamDisplay(param), shown) << param << " " << normalised;
    }
}

// What you see is what you type: a bare number is in the unit the display shows, a number with a
// unit in that unit. Other units, other words and values outside the range are refused.
TEST(ParameterUnits, TypedTextReadsInTheDisplayedUnitOrTheOneTypedAndOtherTextIsRefused) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    PluginHost& host = session.Host();
    const double eightTenths = (std::log10(0.8) + 2.0) / 3.0;  // 0.8 s
    const double minusSix = std::pow(10.0, -6.0 / 20.0) / 2.0; // -6 dB of the 0..2 gain
    const std::tuple<int, const char*, double> cases[] = {
        {Time, "0.8", eightTenths}, {Time, "0.8s", eightTenths}, {Time, " 800 ms ", eightTenths},
        {Time, "10", 1.0},          {Vol, "-6", minusSix},       {Vol, "-6dB", minusSix},
        {Vol, "-inf", 0.0},         {Sensitivity, "25", 0.25},   {Depth, "50 %", 0.5},
        {OnOff, "off", 0.0},        {OnOff, "On", 1.0},          {OnOff, "1", 1.0},
        {Time, "99", Refused},      {Time, "5 ms", Refused},     {Time, "1 dB", Refused},
        {Time, "abc", Refused},     {Vol, "+6.1", Refused},      {Vol, "inf", Refused},
        {Vol, "", Refused},         {Depth, "-1", Refused},      {OnOff, "2", Refused},
        {OnOff, "on off", Refused}, {Time, "nan", Refused}};
    for (const auto& [param, text, normalised] : cases) {
        host.SetParameter(param, 0.25f);
        const float before = host.GetParameter(param);
        EXPECT_EQ(Type(host, param, text), normalised != Refused) << text;
        EXPECT_NEAR(host.GetParameter(param), normalised != Refused ? normalised : before, 1e-6)
            << text;
    }
}

// A parsed display text gives back the same display text, over a grid of every parameter's
// range, typed with and without its label.
TEST(ParameterUnits, EveryDisplayTypedBackShowsTheSameText) {
    Session session;
    ASSERT_TRUE(session.Loaded());
    PluginHost& host = session.Host();
    for (int param = 0; param < 5; ++param) {
        for (int k = 0; k <= 1000; ++k) {
            host.SetParameter(param, static_cast<float>(k) / 1000.0f);
            const std::string shown = host.ParamDisplay(param);
            for (const std::string& typed : {shown, shown + " " + host.ParamLabel(param)}) {
                host.SetParameter(param, k < 500 ? 1.0f : 0.0f);
                ASSERT_TRUE(Type(host, param, typed)) << param << ": " << typed;
                ASSERT_EQ(host.ParamDisplay(param), shown) << param << ": " << typed;
            }
        }
    }
}
