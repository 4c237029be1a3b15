// CappedKnob: a multi-frame knob placed by its centre point, with a one-frame image (the cap: the
// knob's scale) painted centred behind it.
#pragma once

#include "editor/multi_frame_knob.h"

#include <memory>

class CappedKnob : public MultiFrameKnob {
public:
    // area's left and top are the centre point and its size is one frame; the constructor lays
    // the knob out around the centre (UpdateLayout). cap may be null: no scale.
    CappedKnob(PluginCore* plugin, const Bounds& area, int paramIndex, const Blend& blend,
               KnobDirection direction, double gearing, const ImageStrip& frames, int centreX,
               int centreY, const ImageStrip* cap);

    // The cap always with source alpha at full weight, whatever the knob's blend; then the frame.
    bool Paint(GraphicsContext& graphics) override;
    // The knob as MultiFrameKnob does, the cap's image and area at the same scale.
    void ScaleTo(GraphicsContext& graphics, int percent) override;

    const ImageStrip* CapStrip() const { return cap_.get(); }
    const Bounds& CapArea() const { return capArea_; }
    bool CapHidden() const { return capHidden_; }
    void SetCapHidden(bool hidden) { capHidden_ = hidden; }

private:
    // One frame centred on the centre point for the area and the target area, and the cap's
    // first frame centred there too. Integer halves truncate toward zero.
    void UpdateLayout();

    std::unique_ptr<ImageStrip> cap_;
    std::unique_ptr<ImageStrip> baseCap_; // at 100 percent
    int centreX_;
    int centreY_;
    Bounds capArea_;
    Bounds baseCapArea_;
    bool capHidden_ = false;
};
