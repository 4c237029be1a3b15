#include "plugin/editor_layout.h"

#include "editor/capped_knob.h"
#include "editor/graphics_context.h"
#include "editor/platform_graphics.h"
#include "editor/switch_control.h"
#include "editor/value_readout.h"
#include "framework/plugin_core.h"
#include "platform/module_handle.h"
#include "plugin/crescenda_parameters.h"

#include <chrono>

namespace {

struct Image {
    int id;
    const char* name;
};

struct KnobPlacement {
    int param;
    int centreX;
    int centreY;
    Image knob;  // 120 stacked frames
    Image scale; // the cap: one frame, painted centred behind the knob
};

constexpr int KnobFrames = 120;
constexpr double KnobGearing = 4.0;
constexpr int SwitchFrames = 2;
constexpr int SwitchLeft = 26;
constexpr int SwitchTop = 24;
constexpr Image SwitchImage{105, "resources/img/switch.png"};

// In list order, which is also the order of painting.
// clang-format off
constexpr KnobPlacement Knobs[] = {
    {ParamSensitivity, 323, 120,
        {112, "resources/img/sens_knob22.png"}, {113, "resources/img/sens_scale.png"}},
    {ParamTime, 133, 167,
        {107, "resources/img/time_knob.png"}, {108, "resources/img/time_scale.png"}},
    {ParamDepth, 478, 84,
        {109, "resources/img/depth_knob.png"}, {110, "resources/img/depth_scale.png"}},
    {ParamVol, 482, 228,
        {114, "resources/img/vol_knob22.png"}, {115, "resources/img/vol_scale2.png"}},
};
// clang-format on

constexpr Blend Opaque{BlendMode::Normal, 1.0f};

// The readout: the name and the value with its unit of the control under the pointer, in the
// dark space the artwork leaves between the switch's label and the Sensitivity scale. It stays a
// moment after the pointer leaves, so a quick glance away does not lose it.
constexpr Bounds ReadoutNameArea{98, 10, 234, 26};
constexpr Bounds ReadoutValueArea{98, 26, 234, 46};
constexpr auto ReadoutLinger = std::chrono::milliseconds(1200);
constexpr int TypedTextLength = 16; // "-12.5 dB", "800 ms" and room to spare

TextStyle ReadoutStyle(int size, int fontStyle, Argb colour) {
    TextStyle style;
    style.size = size;
    style.style = fontStyle;
    style.textColour = colour;
    return style;
}

// Every control with a parameter shows it in the readout; a right click types a value.
void AddReadout(GraphicsContext& graphics) {
    auto* name = new ValueReadout(ReadoutNameArea,
                                  ReadoutStyle(12, FontNormal, {255, 214, 150, 72}), ReadoutLinger);
    auto* value = new ValueReadout(ReadoutValueArea,
                                   ReadoutStyle(17, FontBold, {255, 236, 236, 236}), ReadoutLinger);
    const int controls = graphics.ControlCount();
    graphics.AddControl(name);
    graphics.AddControl(value);
    for (int i = 0; i < controls; ++i) {
        Control* control = graphics.ControlAt(i);
        if (control->ParamIndex() >= 0) {
            control->LinkDisplays(value, name);
            control->SetPromptDisabled(false);
            control->SetTextEntryLength(TypedTextLength);
        }
    }
    graphics.SetHandlesHover(true);
}

// A missing image gives an empty strip: the control then paints nothing, and the editor still
// works with the others.
void AddKnob(GraphicsContext& graphics, PluginCore& plugin, const KnobPlacement& placement) {
    const ImageStrip frames =
        graphics.LoadStrip(placement.knob.id, placement.knob.name, KnobFrames, false);
    const ImageStrip scale = graphics.LoadStrip(placement.scale.id, placement.scale.name, 1, false);
    const int cx = placement.centreX;
    const int cy = placement.centreY;
    const Bounds area{cx, cy, cx + frames.width, cy + frames.height / KnobFrames};
    graphics.AddControl(new CappedKnob(&plugin, area, placement.param, Opaque, KnobVertical,
                                       KnobGearing, frames, cx, cy, &scale));
}

void AddSwitch(GraphicsContext& graphics, PluginCore& plugin) {
    const ImageStrip strip =
        graphics.LoadStrip(SwitchImage.id, SwitchImage.name, SwitchFrames, false);
    const Bounds area{SwitchLeft, SwitchTop, SwitchLeft + strip.width,
                      SwitchTop + strip.height / SwitchFrames};
    graphics.AddControl(new SwitchControl(&plugin, area, ParamOnOff, Opaque, strip));
}

} // namespace

void LayOutEditor(PluginCore& plugin) {
    GraphicsContext* graphics = CreatePlatformGraphics(&plugin, ThisModuleHandle());
    if (graphics == nullptr) {
        return; // out of memory: the effect works without an editor
    }
    graphics->AttachBackdrop();
    for (const KnobPlacement& placement : Knobs) {
        AddKnob(*graphics, plugin, placement);
    }
    AddSwitch(*graphics, plugin);
    AddReadout(*graphics);
    plugin.AttachEditor(graphics);
}
