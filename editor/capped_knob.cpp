#include "editor/capped_knob.h"

#include "editor/editor_scale.h"
#include "editor/graphics_context.h"

CappedKnob::CappedKnob(PluginCore* plugin, const Bounds& area, int paramIndex, const Blend& blend,
                       KnobDirection direction, double gearing, const ImageStrip& frames,
                       int centreX, int centreY, const ImageStrip* cap)
    : MultiFrameKnob(plugin, area, paramIndex, blend, direction, gearing, frames),
      cap_(cap != nullptr ? std::make_unique<ImageStrip>(*cap) : nullptr),
      baseCap_(cap != nullptr ? std::make_unique<ImageStrip>(*cap) : nullptr), centreX_(centreX),
      centreY_(centreY) {
    UpdateLayout();
    baseCapArea_ = capArea_;
}

bool CappedKnob::Paint(GraphicsContext& graphics) {
    if (cap_ != nullptr && !capHidden_) {
        graphics.PaintImageAt(*cap_, capArea_, 0, 0, nullptr);
    }
    return MultiFrameKnob::Paint(graphics);
}

void CappedKnob::ScaleTo(GraphicsContext& graphics, int percent) {
    MultiFrameKnob::ScaleTo(graphics, percent);
    if (cap_ != nullptr) {
        *cap_ = graphics.StripAtScale(*baseCap_, percent);
        capArea_ = EditorScale::Rect(baseCapArea_, percent);
    }
}

void CappedKnob::UpdateLayout() {
    const ImageStrip& frames = FrameStrip();
    const int n = frames.frameCount;
    if (frames.sideBySide) {
        area_.left = centreX_ - frames.width / (2 * n);
        area_.top = centreY_ - frames.height / 2;
        area_.right = area_.left + frames.width / n;
        area_.bottom = area_.top + frames.height;
    } else {
        area_.left = centreX_ - frames.width / 2;
        area_.top = centreY_ - frames.height / (2 * n);
        area_.right = area_.left + frames.width;
        area_.bottom = area_.top + frames.height / n;
    }
    // The constructor's rectangle (left and top at the centre) moved back by half its size.
    const int halfWidth = targetArea_.Width() / 2;
    const int halfHeight = targetArea_.Height() / 2;
    targetArea_ = Bounds{targetArea_.left - halfWidth, targetArea_.top - halfHeight,
                         targetArea_.right - halfWidth, targetArea_.bottom - halfHeight};
    if (cap_ != nullptr) {
        capArea_.left = centreX_ - cap_->width / 2;
        capArea_.top = centreY_ - cap_->height / 2;
        capArea_.right = capArea_.left + cap_->width;
        capArea_.bottom = capArea_.top + cap_->height / cap_->frameCount;
    }
}
