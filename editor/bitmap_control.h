// BitmapControl: paints the frame of its image strip that its value selects (rounded to the
// nearest frame). The editor's background is one.
#pragma once

#include "editor/control.h"
#include "editor/image_strip.h"

class BitmapControl : public Control {
public:
    BitmapControl(PluginCore* plugin, const Bounds& area, int paramIndex, const Blend& blend,
                  const ImageStrip& strip);

    bool Paint(GraphicsContext& graphics) override;
    void ScaleTo(GraphicsContext& graphics, int percent) override;

    const ImageStrip& Strip() const { return strip_; }

private:
    ImageStrip strip_;
    ImageStrip baseStrip_; // at 100 percent
};
