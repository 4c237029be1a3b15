#include "editor/multi_frame_knob.h"

#include "editor/graphics_context.h"

MultiFrameKnob::MultiFrameKnob(PluginCore* plugin, const Bounds& area, int paramIndex,
                               const Blend& blend, KnobDirection direction, double gearing,
                               const ImageStrip& frames)
    : KnobControl(plugin, area, paramIndex, blend, direction, gearing), frames_(frames),
      baseFrames_(frames) {}

bool MultiFrameKnob::Paint(GraphicsContext& graphics) {
    return graphics.PaintFrame(frames_, area_, FrameForValue(frames_.frameCount, 0.0),
                               &BlendSetting());
}

void MultiFrameKnob::ScaleTo(GraphicsContext& graphics, int percent) {
    KnobControl::ScaleTo(graphics, percent);
    frames_ = graphics.StripAtScale(baseFrames_, percent);
}
