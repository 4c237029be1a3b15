// The factory presets through preset discovery and preset-load: the VST2 build's six presets by
// name, in order, as factory content for this plug-in; loading one gives exactly the state the
// VST2 build has with that program selected; a key no preset has is refused with nothing changed.
#include "host/clap/clap_presets.h"
#include "tests/clap/clap_session.h"
#include "tests/validation/battery_host.h"

using namespace clap_test;

TEST(ClapPresets, TheFactoryPresetsLoadAsTheVst2ProgramsDo) {
    ClapSession session;
    ASSERT_TRUE(session.Open());
    std::vector<ClapPreset> presets;
    std::string error;
    ASSERT_TRUE(DiscoverPresets(session.module, presets, error)) << error;
    PluginHost vst2;
    ASSERT_TRUE(battery::LoadAndOpen(vst2));
    ASSERT_EQ(static_cast<int>(presets.size()), vst2.Effect()->numPrograms);
    for (size_t i = 0; i < presets.size(); ++i) {
        const ClapPreset& preset = presets[i];
        SCOPED_TRACE(preset.name);
        EXPECT_EQ(preset.name, vst2.ProgramNameIndexed(static_cast<int>(i)));
        EXPECT_NE(preset.flags & CLAP_PRESET_DISCOVERY_IS_FACTORY_CONTENT, 0u);
        for (const std::string& id : preset.pluginIds) {
            EXPECT_EQ(id, session.instance.Plugin()->desc->id);
        }
        ASSERT_TRUE(LoadPreset(session.instance, preset));
        vst2.SetProgram(static_cast<int>(i));
        std::vector<std::uint8_t> saved;
        EXPECT_TRUE(session.instance.SaveState(saved));
        EXPECT_EQ(saved, vst2.GetChunk(true));
    }
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
    session.instance.SaveState(before);
    ClapPreset unknown = presets.empty() ? ClapPreset{} : presets[0];
    unknown.loadKey = "no such preset";
    EXPECT_FALSE(LoadPreset(session.instance, unknown));
    session.instance.SaveState(after);
    EXPECT_EQ(before, after);
}
