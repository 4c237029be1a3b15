#include "editor/bitmap_control.h"

#include "editor/graphics_context.h"

BitmapControl::BitmapControl(PluginCore* plugin, const Bounds& area, int paramIndex,
                             const Blend& blend, const ImageStrip& strip)
    : Control(plugin, area, paramIndex, blend), strip_(strip), baseStrip_(strip) {}

// Frame trunc((n - 1) * value + 0.5) + 1.
bool BitmapControl::Paint(GraphicsContext& graphics) {
    return graphics.PaintFrame(strip_, area_, FrameForValue(strip_.frameCount, 0.5),
                               &BlendSetting());
}

void BitmapControl::ScaleTo(GraphicsContext& graphics, int percent) {
    Control::ScaleTo(graphics, percent);
    strip_ = graphics.StripAtScale(baseStrip_, percent);
}
