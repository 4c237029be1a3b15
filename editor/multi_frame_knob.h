// MultiFrameKnob: a knob painted as one frame of a strip, chosen by truncation (no rounding).
#pragma once

#include "editor/image_strip.h"
#include "editor/knob_control.h"

class MultiFrameKnob : public KnobControl {
public:
    MultiFrameKnob(PluginCore* plugin, const Bounds& area, int paramIndex, const Blend& blend,
                   KnobDirection direction, double gearing, const ImageStrip& frames);

    // Frame trunc((n - 1) * value) + 1: value 0.999 of 120 frames shows frame 119.
    bool Paint(GraphicsContext& graphics) override;
    void ScaleTo(GraphicsContext& graphics, int percent) override;

    const ImageStrip& FrameStrip() const { return frames_; }

private:
    ImageStrip frames_;
    ImageStrip baseFrames_; // at 100 percent
};
