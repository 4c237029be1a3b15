// The parameter prompt a right press opens where a control enables it: a text entry holding the
// value as the display shows it, a menu of the display texts for a switch parameter that has
// them, whose choice reaches the host as one gesture of its own (the press begins none).
#include "editor/bitmap_control.h"
#include "editor_session.h"
#include "recording_graphics.h"

namespace {

BitmapControl* PromptingControl(PluginCore& plugin, const Bounds& area, int param) {
    auto* control =
        new BitmapControl(&plugin, area, param, Blend{}, ImageStrip::Of(nullptr, 1, false));
    control->SetPromptDisabled(false);
    return control;
}

bool SameBounds(const Bounds& a, const Bounds& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(ParameterPrompt, ARightPressPromptsWithTheValueOrAMenuOfTheDisplayTexts) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    PluginCore& plugin = session.Plugin();
    PluginParam& onOff = *plugin.Param(OnOff);
    onOff.SetKind(ParamKindBoolean);
    onOff.AddDisplayText(0, "Off");
    onOff.AddDisplayText(1, "On");
    auto* graphics = new RecordingGraphics(&plugin);
    graphics->AddControl(PromptingControl(plugin, Bounds{0, 0, 100, 100}, Time));
    graphics->AddControl(PromptingControl(plugin, Bounds{200, 0, 240, 20}, OnOff));
    plugin.AttachEditor(graphics);
    MouseKeys right;
    right.right = true;

    // A 110 x 16 box centred on the control, inside the editor, holding the display (0.316 s).
    graphics->HandlePress(10, 10, right);
    graphics->HandleRelease(10, 10, right);
    EXPECT_EQ(graphics->entryText, "0.32");
    EXPECT_TRUE(SameBounds(graphics->entryRect, Bounds{0, 42, 110, 58}));

    graphics->menuChoice = 0;
    graphics->HandlePress(210, 10, right); // the menu swallows the release
    EXPECT_EQ(graphics->menu, (std::vector<std::string>{"Off", "On (checked)"}));
    EXPECT_EQ(session.host.GetParameter(OnOff), 0.0f);
    const std::vector<HostCall> calls = session.GestureCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].opcode, audioMasterAutomate);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
}
