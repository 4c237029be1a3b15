#include "tools/snapshot/editor_snapshot.h"

#include "editor/capped_knob.h"
#include "editor/graphics_context.h"
#include "editor/redraw_step.h"
#include "host/plugin_settings.h"
#include "raster/px_blit_rect.h"
#include "vst2/plugin_export.h"
#include "vst2/vst2_plugin.h"

namespace {

constexpr float StripValues[] = {0.0f, 0.5f, 1.0f};

// What a control paints: its area, and a knob's scale around it, within the canvas.
Bounds PaintedArea(const Control& control, const Bounds& canvas) {
    Bounds painted = control.Area();
    if (const auto* knob = dynamic_cast<const CappedKnob*>(&control)) {
        painted.UnionWith(knob->CapArea());
    }
    return painted.IntersectionWith(canvas);
}

const Control* ControlOf(GraphicsContext& graphics, int paramIndex) {
    for (int i = 0; i < graphics.ControlCount(); ++i) {
        if (graphics.ControlAt(i)->ParamIndex() == paramIndex) {
            return graphics.ControlAt(i);
        }
    }
    return nullptr;
}

// The part of the canvas into bitmap at (x, 0).
void CopyArea(PX_Bitmap& canvas, const Bounds& area, PX_Bitmap& bitmap, int x) {
    const PX_Rect source{area.left, area.top, area.right, area.bottom};
    PX_BlitRect(&bitmap, &canvas, x, 0, &source, 1.0f, PX_COMBINE_COPY);
}

} // namespace

bool EditorSnapshot::Open(std::string& error) {
    if (!host_.Create(&VSTPluginMain) || !host_.Open()) {
        error = host_.LastError();
        return false;
    }
    if (Graphics() == nullptr || Graphics()->Canvas() == nullptr) {
        error = "the effect has no editor";
        return false;
    }
    return true;
}

// The scale arrives as a host's hint does: effVendorSpecific 'PreS' 'AeCs' with the factor.
bool EditorSnapshot::Apply(const SnapshotOptions& options, std::string& error) {
    if (options.scale != 1.0f &&
        host_.Dispatch(effVendorSpecific, FourCharCode("PreS"), FourCharCode("AeCs"), nullptr,
                       options.scale) != 1) {
        error = "the effect refused the scale";
        return false;
    }
    return ApplySettings(host_, options.settings, error);
}

GraphicsContext* EditorSnapshot::Graphics() {
    AEffect* effect = host_.Effect();
    return effect != nullptr ? EditorOf(static_cast<Vst2Plugin*>(effect->object)->Core()) : nullptr;
}

std::unique_ptr<PX_MemBitmap> EditorSnapshot::Picture() {
    GraphicsContext& graphics = *Graphics();
    RedrawDirtyControls(graphics);
    PX_Bitmap& canvas = *graphics.Canvas();
    auto picture = std::make_unique<PX_MemBitmap>(canvas.Width(), canvas.Height());
    CopyArea(canvas, Bounds{0, 0, canvas.Width(), canvas.Height()}, *picture, 0);
    return picture;
}

std::unique_ptr<PX_MemBitmap> EditorSnapshot::KnobStrip(const std::string& paramName,
                                                        std::string& error) {
    const int index = FindParameter(host_, paramName);
    GraphicsContext& graphics = *Graphics();
    const Control* knob = index >= 0 ? ControlOf(graphics, index) : nullptr;
    if (knob == nullptr) {
        error = "no knob for '" + paramName + "'; the parameters are " + ParameterNameList(host_);
        return nullptr;
    }
    PX_Bitmap& canvas = *graphics.Canvas();
    const Bounds area = PaintedArea(*knob, Bounds{0, 0, canvas.Width(), canvas.Height()});
    auto strip = std::make_unique<PX_MemBitmap>(area.Width() * 3, area.Height());
    for (int i = 0; i < 3; ++i) {
        host_.SetParameter(index, StripValues[i]);
        RedrawDirtyControls(graphics);
        CopyArea(canvas, area, *strip, i * area.Width());
    }
    return strip;
}
