#include "test_plugin.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

const double FactoryValues[6][5] = {
    {0.7, 0.5, 0.75, 1.0, 1},    {0.5, 0.5, 0.75, 1.0, 1},   {0.35, 0.431, 0.5, 1.0, 1},
    {0.676, 0.433, 1.0, 1.0, 1}, {0.44, 0.612, 1.0, 1.0, 1}, {0.5, 0.772, 1.0, 1.0, 1},
};
const char* const FactoryNames[6] = {"Init",     "Swell on Accent",     "Funked Swell",
                                     "Arpeggio", "Long Ambient Chords", "Before Overdrive"};

// A plug-in set up the way the effect sets itself up: parameters, then six presets.
class EffectLike : public TestPlugin {
public:
    EffectLike() {
        InitFiveParams();
        for (int i = 0; i < 6; ++i) {
            AddPreset(FactoryNames[i], FactoryValues[i]);
        }
    }
};

std::vector<double> Values(const PluginCore& plugin) {
    std::vector<double> values;
    for (int i = 0; i < plugin.ParamCount(); ++i) {
        values.push_back(plugin.Param(i)->Value());
    }
    return values;
}

void SetValues(PluginCore& plugin, const std::vector<double>& values) {
    for (int i = 0; i < plugin.ParamCount(); ++i) {
        plugin.Param(i)->SetValue(values[static_cast<size_t>(i)]);
    }
}

void AppendDoubles(ByteBlock& block, const std::vector<double>& values) {
    for (double v : values) {
        block.Append(v);
    }
}

// What the dispatcher does with a program chunk from the host.
int RestoreProgramChunk(PluginCore& plugin, const ByteBlock& block) {
    int position = 0;
    PluginCore::ReadChunkHeader(block, position);
    return plugin.LoadState(block, position);
}

int RestoreBankChunk(PluginCore& plugin, const ByteBlock& block) {
    int position = 0;
    const std::int32_t version = PluginCore::ReadChunkHeader(block, position);
    return version >= 0x00010000 ? plugin.UnserializePresets(block, position)
                                 : plugin.LoadState(block, position);
}

void AppendEntry(ByteBlock& block, const char* name, bool defined,
                 const std::vector<double>& values) {
    block.AppendString(name);
    block.Append(std::uint8_t{defined ? std::uint8_t{1} : std::uint8_t{0}});
    if (defined) {
        AppendDoubles(block, values);
    }
}

} // namespace

TEST(ProgramChunk, IsFortyEightBytesOfMagicVersionAndFiveDoubles) {
    EffectLike plugin;
    SetValues(plugin, {0.1, 0.2, 0.3, 1.5, 0});
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    ASSERT_TRUE(plugin.SaveState(block));
    ASSERT_EQ(block.Size(), 48);
    EXPECT_EQ(std::memcmp(block.Data(), "tffp", 4), 0);
    const unsigned char version[] = {0x00, 0x00, 0x01, 0x00};
    EXPECT_EQ(std::memcmp(block.Data() + 4, version, 4), 0);
    const double expected[] = {0.1, 0.2, 0.3, 1.5, 0.0};
    EXPECT_EQ(std::memcmp(block.Data() + 8, expected, 40), 0);
}

TEST(ProgramChunk, WritingAHeaderClearsWhatTheBlockHeld) {
    ByteBlock block;
    block.AppendString("old contents");
    PluginCore::WriteChunkHeader(block);
    EXPECT_EQ(block.Size(), 8);
}

TEST(ProgramChunk, RestoringAProgramChunkRestoresEveryParameterAndTellsTheEffectOfEach) {
    EffectLike source;
    SetValues(source, {0.123, 0.456, 0.789, 1.999, 0});
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    source.SaveState(block);

    EffectLike target;
    EXPECT_EQ(RestoreProgramChunk(target, block), 48);
    EXPECT_EQ(Values(target), Values(source));
    target.ApplyPendingParams(); // the next block
    EXPECT_EQ(target.changed, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(ProgramChunk, AHeaderlessBlockOfFiveDoublesIsReadAsAParameterState) {
    ByteBlock block;
    AppendDoubles(block, {0.2, 0.3, 0.4, 0.5, 0});
    int position = 0;
    EXPECT_EQ(PluginCore::ReadChunkHeader(block, position), 0);
    EXPECT_EQ(position, 0);

    EffectLike program;
    EXPECT_EQ(RestoreProgramChunk(program, block), 40);
    EXPECT_EQ(Values(program), (std::vector<double>{0.2, 0.3, 0.4, 0.5, 0}));
    EffectLike bank;
    EXPECT_EQ(RestoreBankChunk(bank, block), 40);
    EXPECT_EQ(Values(bank), (std::vector<double>{0.2, 0.3, 0.4, 0.5, 0}));
}

TEST(ProgramChunk, TheMagicWithoutRoomForTheVersionFails) {
    ByteBlock block;
    block.AppendBytes("tffp\x01\x00", 6);
    int position = 0;
    EXPECT_EQ(PluginCore::ReadChunkHeader(block, position), 0);
    EXPECT_EQ(position, -1);
    EffectLike plugin;
    EXPECT_EQ(plugin.LoadState(block, position), -1);
    plugin.ApplyPendingParams();          // the next block
    EXPECT_EQ(plugin.changed.size(), 5u); // told of every parameter all the same
}

TEST(ProgramChunk, ValuesOutsideTheRangeAreStoredAsTheNearestBound) {
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendDoubles(block, {5.0, -3.0, 0.5, 2.5, 7});
    EffectLike plugin;
    EXPECT_EQ(RestoreProgramChunk(plugin, block), 48);
    EXPECT_EQ(Values(plugin), (std::vector<double>{1.0, 0.0, 0.5, 2.0, 1}));
}

TEST(ProgramChunk, NaNAndInfiniteValuesLoadAsTheDefaultsAndTheChunkStillCountsAsRead) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendDoubles(block, {nan, inf, -inf, 0.25, -nan});
    EffectLike plugin;
    SetValues(plugin, {0.1, 0.1, 0.1, 0.1, 0});
    EXPECT_EQ(RestoreProgramChunk(plugin, block), 48);
    EXPECT_EQ(Values(plugin), (std::vector<double>{0.7, 0.5, 0.75, 0.25, 1}));
}

TEST(ProgramChunk, AShortStateSetsWhatItCoversZeroesTheFirstMissingValueAndFails) {
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendDoubles(block, {0.2, 0.3});
    block.AppendBytes("\x01\x02\x03", 3); // part of a third value
    EffectLike plugin;
    SetValues(plugin, {0.9, 0.9, 0.9, 1.9, 1});
    EXPECT_EQ(RestoreProgramChunk(plugin, block), -1);
    EXPECT_EQ(Values(plugin), (std::vector<double>{0.2, 0.3, 0.0, 1.9, 1}));
    plugin.ApplyPendingParams(); // the next block
    EXPECT_EQ(plugin.changed, (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST(BankChunk, EachPresetIsItsNameItsFlagAndItsValues) {
    EffectLike plugin;
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    ASSERT_TRUE(plugin.SerializePresets(block));
    int expectedSize = 8;
    for (const char* name : FactoryNames) {
        expectedSize += 4 + static_cast<int>(std::strlen(name)) + 1 + 40;
    }
    ASSERT_EQ(block.Size(), expectedSize);

    int position = 8;
    for (int i = 0; i < 6; ++i) {
        std::int32_t length = 0;
        std::memcpy(&length, block.Data() + position, 4);
        ASSERT_EQ(length, static_cast<std::int32_t>(std::strlen(FactoryNames[i])));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(block.Data()) + position + 4,
                              static_cast<size_t>(length)),
                  FactoryNames[i]);
        position += 4 + length;
        EXPECT_EQ(block.Data()[position], 1);
        position += 1;
        EXPECT_EQ(std::memcmp(block.Data() + position, FactoryValues[i], 40), 0) << i;
        position += 40;
    }
}

TEST(BankChunk, AnUndefinedPresetIsWrittenAsNameAndZeroFlagOnly) {
    TestIdentity identity;
    identity.presetCount = 2;
    TestPlugin plugin(identity);
    plugin.InitFiveParams();
    const double values[5] = {0.1, 0.2, 0.3, 0.4, 1};
    plugin.AddPreset("One", values);
    ByteBlock block;
    ASSERT_TRUE(plugin.SerializePresets(block));
    // "One": 4 + 3 + 1 + 40; "empty": 4 + 5 + 1.
    ASSERT_EQ(block.Size(), 48 + 10);
    EXPECT_EQ(block.Data()[48 + 9], 0);
}

TEST(BankChunk, ARestoredBankBringsBackEveryPresetAndReloadsTheCurrentOne) {
    EffectLike source;
    source.Preset(2)->SetName("Renamed");
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    source.SerializePresets(block);

    EffectLike target;
    for (int i = 0; i < 6; ++i) {
        target.Preset(i)->SetName("x");
    }
    ASSERT_TRUE(target.LoadPreset(3));
    SetValues(target, {0, 0, 0, 0, 0});
    EXPECT_EQ(RestoreBankChunk(target, block), block.Size());
    EXPECT_STREQ(target.PresetName(2), "Renamed");
    EXPECT_STREQ(target.PresetName(5), "Before Overdrive");
    // Preset 3 is current, so its values end up in the parameters.
    EXPECT_EQ(Values(target), (std::vector<double>(FactoryValues[3], FactoryValues[3] + 5)));
}

TEST(BankChunk, ASecondNameRunningPastTheEndLoadsOnlyTheFirstPreset) {
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendEntry(block, "First", true, {0.1, 0.2, 0.3, 0.4, 0});
    block.Append(std::int32_t{1000});
    block.AppendBytes("Sec", 3);

    EffectLike plugin;
    EXPECT_EQ(RestoreBankChunk(plugin, block), -1);
    EXPECT_STREQ(plugin.PresetName(0), "First");
    // The damaged entry takes the name read last; its flag and state stay.
    EXPECT_STREQ(plugin.PresetName(1), "First");
    EXPECT_TRUE(plugin.Preset(1)->Defined());
    EXPECT_STREQ(plugin.PresetName(2), "Funked Swell");
    // The current preset (0) is reloaded: its new values are in the parameters.
    EXPECT_EQ(Values(plugin), (std::vector<double>{0.1, 0.2, 0.3, 0.4, 0}));
}

TEST(BankChunk, ADamagedFirstEntryTakesAnEmptyName) {
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    block.Append(std::int32_t{-7});
    EffectLike plugin;
    EXPECT_EQ(RestoreBankChunk(plugin, block), -1);
    EXPECT_STREQ(plugin.PresetName(0), "");
    EXPECT_STREQ(plugin.PresetName(1), "Swell on Accent");
    EXPECT_EQ(Values(plugin), (std::vector<double>(FactoryValues[0], FactoryValues[0] + 5)));
}

TEST(BankChunk, AnEntryWhoseValuesAreCutShortKeepsItsFlagAndItsState) {
    TestIdentity identity;
    identity.presetCount = 2;
    TestPlugin plugin(identity);
    plugin.InitFiveParams();
    const double values[5] = {0.1, 0.2, 0.3, 0.4, 1};
    plugin.AddPreset("One", values); // preset 1 stays undefined

    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendEntry(block, "Kept", true, {0.5, 0.5, 0.5, 0.5, 1});
    block.AppendString("Broken");
    block.Append(std::uint8_t{1});
    AppendDoubles(block, {0.9, 0.9}); // three values missing
    EXPECT_EQ(RestoreBankChunk(plugin, block), -1);
    EXPECT_FALSE(plugin.Preset(1)->Defined());
    EXPECT_EQ(plugin.Preset(1)->State().Size(), 0);
}

TEST(BankChunk, NaNValuesInAPresetLoadAsTheDefaults) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendEntry(block, "Bad", true, {0.2, nan, 0.3, std::numeric_limits<double>::infinity(), 1});
    EffectLike plugin;
    EXPECT_EQ(RestoreBankChunk(plugin, block), -1); // the other five entries are missing
    EXPECT_EQ(Values(plugin), (std::vector<double>{0.2, 0.5, 0.3, 1.0, 1}));
    double stored[5];
    ASSERT_EQ(plugin.Preset(0)->State().Size(), 40);
    std::memcpy(stored, plugin.Preset(0)->State().Data(), 40);
    EXPECT_EQ(stored[1], 0.5);
    EXPECT_EQ(stored[3], 1.0);
}

TEST(BankChunk, StoredPresetValuesAreTheClampedOnes) {
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendEntry(block, "Loud", true, {0.5, 0.5, 0.5, 9.0, 1});
    EffectLike plugin;
    RestoreBankChunk(plugin, block);
    double stored[5];
    std::memcpy(stored, plugin.Preset(0)->State().Data(), 40);
    EXPECT_EQ(stored[3], 2.0);
}

TEST(BankChunk, NamesLongerThanTheFieldAreCutTo255Characters) {
    const std::string longName(300, 'q');
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendEntry(block, longName.c_str(), true, {0.5, 0.5, 0.5, 0.5, 1});
    EffectLike plugin;
    RestoreBankChunk(plugin, block);
    EXPECT_EQ(std::string(plugin.PresetName(0)), longName.substr(0, 255));
}

TEST(BankChunk, AnEmptyPresetNameSurvivesARoundTrip) {
    EffectLike source;
    source.Preset(1)->SetName("");
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    source.SerializePresets(block);
    EffectLike target;
    EXPECT_EQ(RestoreBankChunk(target, block), block.Size());
    EXPECT_STREQ(target.PresetName(1), "");
    EXPECT_STREQ(target.PresetName(2), "Funked Swell");
}

TEST(BankChunk, APresetMarkedUndefinedIsDefinedAfreshWithOnlyTheCurrentValues) {
    ByteBlock block;
    PluginCore::WriteChunkHeader(block);
    AppendEntry(block, "Init", true, {0.7, 0.5, 0.75, 1.0, 1});
    AppendEntry(block, "gone", false, {});
    EffectLike plugin;
    RestoreBankChunk(plugin, block);
    ASSERT_FALSE(plugin.Preset(1)->Defined());

    SetValues(plugin, {0.11, 0.22, 0.33, 0.44, 0});
    ASSERT_TRUE(plugin.LoadPreset(1));
    EXPECT_STREQ(plugin.PresetName(1), "user preset 1");
    ASSERT_EQ(plugin.Preset(1)->State().Size(), 40);
    // Loading it later gives the values it was defined with, not the old factory bytes.
    plugin.LoadPreset(0);
    EXPECT_TRUE(plugin.LoadPreset(1));
    EXPECT_EQ(Values(plugin), (std::vector<double>{0.11, 0.22, 0.33, 0.44, 0}));
}

TEST(BankChunk, AnOlderChunkVersionIsReadAsAParameterState) {
    ByteBlock block;
    block.AppendBytes("tffp", 4);
    block.Append(std::int32_t{0x0000FFFF});
    AppendDoubles(block, {0.3, 0.3, 0.3, 0.3, 0});
    EffectLike plugin;
    EXPECT_EQ(RestoreBankChunk(plugin, block), 48);
    EXPECT_EQ(Values(plugin), (std::vector<double>{0.3, 0.3, 0.3, 0.3, 0}));
}
