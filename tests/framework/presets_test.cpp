#include "test_plugin.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<double> Values(const PluginCore& plugin) {
    std::vector<double> values;
    for (int i = 0; i < plugin.ParamCount(); ++i) {
        values.push_back(plugin.Param(i)->Value());
    }
    return values;
}

std::vector<double> StoredValues(const PluginPreset& preset) {
    std::vector<double> values(static_cast<size_t>(preset.State().Size()) / sizeof(double));
    if (!values.empty()) {
        std::memcpy(values.data(), preset.State().Data(), values.size() * sizeof(double));
    }
    return values;
}

class Fresh : public TestPlugin {
public:
    Fresh() { InitFiveParams(); }
};

const double Init[5] = {0.7, 0.5, 0.75, 1.0, 1};
const double Other[5] = {0.1, 0.2, 0.3, 0.4, 0};

} // namespace

TEST(PresetList, AtConstructionEveryPresetIsAnUndefinedEmptySlot) {
    Fresh plugin;
    ASSERT_EQ(plugin.PresetCount(), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(plugin.Preset(i)->Defined());
        EXPECT_STREQ(plugin.PresetName(i), "empty");
        EXPECT_EQ(plugin.Preset(i)->State().Size(), 0);
    }
    EXPECT_EQ(plugin.CurrentPreset(), 0);
}

TEST(PresetList, NamesOutsideTheListAreEmpty) {
    Fresh plugin;
    EXPECT_STREQ(plugin.PresetName(-1), "");
    EXPECT_STREQ(plugin.PresetName(6), "");
}

TEST(AddPreset, DefinesTheFirstUndefinedPresetWithTheGivenValues) {
    Fresh plugin;
    plugin.AddPreset("Init", Init);
    plugin.AddPreset("Other", Other);
    EXPECT_STREQ(plugin.PresetName(1), "Other");
    EXPECT_TRUE(plugin.Preset(1)->Defined());
    EXPECT_EQ(StoredValues(*plugin.Preset(1)), std::vector<double>(Other, Other + 5));
    EXPECT_FALSE(plugin.Preset(2)->Defined());
}

TEST(AddPreset, WhenEveryPresetIsDefinedNothingChanges) {
    Fresh plugin;
    for (int i = 0; i < 6; ++i) {
        plugin.AddPreset("Init", Init);
    }
    plugin.AddPreset("Seventh", Other);
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(plugin.PresetName(i), "Init");
        EXPECT_EQ(plugin.Preset(i)->State().Size(), 40);
    }
}

TEST(FillEmptyPresets, UndefinedPresetsGetTheCurrentValuesUnderTheNameEmpty) {
    Fresh plugin;
    plugin.AddPreset("Init", Init);
    plugin.Param(0)->SetValue(0.42);
    plugin.FillEmptyPresets(6);
    for (int i = 1; i < 6; ++i) {
        EXPECT_TRUE(plugin.Preset(i)->Defined());
        EXPECT_STREQ(plugin.PresetName(i), "Empty");
        EXPECT_EQ(StoredValues(*plugin.Preset(i)), Values(plugin));
    }
    EXPECT_STREQ(plugin.PresetName(0), "Init");
    EXPECT_EQ(StoredValues(*plugin.Preset(0)), std::vector<double>(Init, Init + 5));
}

TEST(LoadPreset, ADefinedPresetSetsTheParametersAndBecomesCurrent) {
    Fresh plugin;
    plugin.AddPreset("Init", Init);
    plugin.AddPreset("Other", Other);
    plugin.changed.clear();
    EXPECT_TRUE(plugin.LoadPreset(1));
    EXPECT_EQ(plugin.CurrentPreset(), 1);
    EXPECT_EQ(Values(plugin), std::vector<double>(Other, Other + 5));
    EXPECT_TRUE(plugin.changed.empty()); // the effect hears of them at the next block
    plugin.ApplyPendingParams();
    EXPECT_EQ(plugin.changed, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(plugin.presetListChanges, 1);
}

TEST(LoadPreset, IndexesOutsideTheListAnswerFalseAndChangeNothing) {
    Fresh plugin;
    plugin.AddPreset("Init", Init);
    plugin.AddPreset("Other", Other);
    plugin.LoadPreset(1);
    for (int index : {6, -1}) {
        EXPECT_FALSE(plugin.LoadPreset(index));
        EXPECT_EQ(plugin.CurrentPreset(), 1);
        EXPECT_EQ(Values(plugin), std::vector<double>(Other, Other + 5));
    }
}

TEST(LoadPreset, AnUndefinedPresetIsNamedAfterTheUserPresetsAlreadyThere) {
    Fresh plugin;
    plugin.AddPreset("user preset 1", Init);
    plugin.AddPreset("my user preset 2", Init);
    plugin.Param(1)->SetValue(0.9);
    EXPECT_TRUE(plugin.LoadPreset(4));
    EXPECT_STREQ(plugin.PresetName(4), "user preset 3");
    EXPECT_TRUE(plugin.Preset(4)->Defined());
    EXPECT_EQ(StoredValues(*plugin.Preset(4)), Values(plugin));
    EXPECT_EQ(plugin.CurrentPreset(), 4);
    EXPECT_TRUE(plugin.LoadPreset(5));
    EXPECT_STREQ(plugin.PresetName(5), "user preset 4");
}

TEST(LoadPreset, DefiningAPresetThatStillHoldsOldBytesStoresOnlyTheCurrentValues) {
    Fresh plugin;
    plugin.AddPreset("Init", Init);
    plugin.AddPreset("Other", Other);
    plugin.Preset(1)->SetDefined(false); // as a bank chunk may leave it
    plugin.Param(2)->SetValue(0.123);
    ASSERT_TRUE(plugin.LoadPreset(1));
    EXPECT_EQ(StoredValues(*plugin.Preset(1)), Values(plugin));
}

TEST(ModifyCurrentPreset, StoresTheCurrentValuesAndKeepsTheNameWhenNoneIsGiven) {
    Fresh plugin;
    plugin.AddPreset("Init", Init);
    plugin.Param(3)->SetValue(1.75);
    plugin.ModifyCurrentPreset("");
    EXPECT_STREQ(plugin.PresetName(0), "Init");
    EXPECT_EQ(StoredValues(*plugin.Preset(0)), Values(plugin));
    plugin.ModifyCurrentPreset();
    EXPECT_STREQ(plugin.PresetName(0), "Init");
    EXPECT_EQ(plugin.Preset(0)->State().Size(), 40);
}

TEST(ModifyCurrentPreset, ANewNameRenamesTheCurrentPresetAndLongNamesAreCut) {
    Fresh plugin;
    plugin.AddPreset("Init", Init);
    plugin.ModifyCurrentPreset("Mine");
    EXPECT_STREQ(plugin.PresetName(0), "Mine");
    const std::string longName(1000, 'L');
    plugin.ModifyCurrentPreset(longName.c_str());
    EXPECT_EQ(std::string(plugin.PresetName(0)), longName.substr(0, 255));
}

TEST(ModifyCurrentPreset, SwitchingAwayAndBackKeepsTheEdits) {
    Fresh plugin;
    plugin.AddPreset("Init", Init);
    plugin.AddPreset("Other", Other);
    plugin.Param(0)->SetValue(0.99);
    plugin.ModifyCurrentPreset();
    plugin.LoadPreset(1);
    plugin.ModifyCurrentPreset();
    plugin.LoadPreset(0);
    EXPECT_EQ(plugin.Param(0)->Value(), 0.99);
}

TEST(PluginIdentityFields, NamesLongerThanTheirFieldsAreCutTo127Characters) {
    const std::string longName(500, 'z');
    TestIdentity identity;
    identity.effectName = longName.c_str();
    TestPlugin plugin(identity);
    EXPECT_EQ(std::string(plugin.EffectName()), longName.substr(0, 127));
    EXPECT_STREQ(plugin.MakerName(), "maker");
    EXPECT_EQ(plugin.UniqueId(), 0x54657374);
    EXPECT_EQ(plugin.HostType(), HostNotAsked);
}

TEST(EditorParameterWrites, SetTheValueAnnounceItAsGivenAndNotifyTheEffect) {
    Fresh plugin;
    plugin.SetParamFromEditor(3, 0.25);
    EXPECT_EQ(plugin.Param(3)->Value(), 0.5);
    ASSERT_EQ(plugin.announced.size(), 1u);
    EXPECT_EQ(plugin.announced[0].index, 3);
    EXPECT_EQ(plugin.announced[0].normalised, 0.25);
    plugin.ApplyPendingParams(); // the next block
    EXPECT_EQ(plugin.changed, std::vector<int>{3});
    plugin.SetParamFromEditor(5, 0.25);
    plugin.SetParamFromEditor(-1, 0.25);
    EXPECT_EQ(plugin.announced.size(), 1u);
}

TEST(ValuesMatch, ComparesEveryParameterInSinglePrecision) {
    Fresh plugin;
    const double same[6] = {9.0, 0.7, 0.5, 0.75, 1.0 + 1e-9, 1};
    EXPECT_TRUE(plugin.ValuesMatch(same, 1));
    const double off[5] = {0.7, 0.5, 0.7501, 1.0, 1};
    EXPECT_FALSE(plugin.ValuesMatch(off, 0));
}

TEST(MidiDefaults, MessagesAreForwardedToTheHostAndNotesHaveNoText) {
    Fresh plugin;
    MidiMessage message;
    message.status = 0x90;
    message.data1 = 60;
    plugin.HandleMidiMessage(message);
    ASSERT_EQ(plugin.sentMidi.size(), 1u);
    EXPECT_EQ(plugin.sentMidi[0].data1, 60);
    char text[8] = "x";
    EXPECT_FALSE(plugin.MidiNoteText(60, text));
    EXPECT_STREQ(text, "");
}
