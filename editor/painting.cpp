// Dirty tracking, repainting into the canvas and the image blits the controls paint with.
// UI thread.
#include "editor/blend.h"
#include "editor/control.h"
#include "editor/graphics_context.h"
#include "raster/px_blit_rect.h"

#include <cmath>

namespace {

int CombineModeFor(const Blend* blend) {
    if (blend == nullptr) {
        return PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA;
    }
    switch (blend->mode) {
    case BlendMode::Replace:
        return PX_COMBINE_COPY;
    case BlendMode::Add:
        return PX_COMBINE_ADD | PX_COMBINE_SOURCE_ALPHA;
    case BlendMode::Dodge:
        return PX_COMBINE_DODGE | PX_COMBINE_SOURCE_ALPHA;
    case BlendMode::Normal:
    default:
        return PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA;
    }
}

} // namespace

bool GraphicsContext::CollectDirty(Bounds& rect) {
    bool dirty = false;
    for (int i = 0; i < controls_.Count(); ++i) {
        Control* control = controls_.Get(i);
        if (control->NeedsPaint()) {
            rect.UnionWith(control->Area());
            dirty = true;
        }
    }
    return dirty;
}

bool GraphicsContext::Repaint(const Bounds& rect) {
    if (controls_.Count() == 0) {
        return true;
    }
    RepaintCanvas(rect);
    return PresentRect(rect);
}

void GraphicsContext::RepaintCanvas(const Bounds& rect) {
    if (controls_.Count() == 0) {
        return;
    }
    if (strictDrawing_) {
        clip_ = rect;
        RepaintEveryControl();
    } else {
        RepaintEachDirtyControl();
    }
}

// Strict drawing: every visible control paints, each blit clipped to the repainted rectangle,
// so whatever lies under a dirty control (hidden ones included) is redrawn in list order.
void GraphicsContext::RepaintEveryControl() {
    for (int i = 0; i < controls_.Count(); ++i) {
        Control* control = controls_.Get(i);
        if (!control->IsHidden()) {
            control->Paint(*this);
        }
        control->SettlePaint();
    }
}

// Without strict drawing each dirty control is repainted on its own, with the controls that
// overlap it; a dirty background repaints everything within its own area.
void GraphicsContext::RepaintEachDirtyControl() {
    Control* backdrop = controls_.Get(0);
    if (backdrop->NeedsPaint()) {
        clip_ = backdrop->Area();
        for (int j = 0; j < controls_.Count(); ++j) {
            Control* control = controls_.Get(j);
            if (j == 0 || !control->IsHidden()) {
                control->Paint(*this);
            }
            control->SettlePaint();
        }
        return;
    }
    for (int i = 1; i < controls_.Count(); ++i) {
        Control* dirty = controls_.Get(i);
        if (!dirty->NeedsPaint()) {
            continue;
        }
        clip_ = dirty->Area();
        for (int j = 0; j < controls_.Count(); ++j) {
            Control* control = controls_.Get(j);
            const Bounds& area = control->Area();
            if (!control->IsHidden() && (j == i || (!area.IsEmpty() && area.Intersects(clip_)))) {
                control->Paint(*this);
            }
        }
        dirty->SettlePaint();
    }
}

// The frame's offset is floor(size * (frame - 1) / n + 0.5) along the strip.
bool GraphicsContext::PaintFrame(const ImageStrip& strip, const Bounds& destination, int frame,
                                 const Blend* blend) {
    const int n = strip.frameCount;
    int offset = 0;
    if (n > 1 && frame > 1) {
        const int size = strip.sideBySide ? strip.width : strip.height;
        offset = static_cast<int>(std::floor(static_cast<double>(size) * (frame - 1) / n + 0.5));
    }
    if (strip.sideBySide) {
        return PaintImageAt(strip, destination, offset, 0, blend);
    }
    return PaintImageAt(strip, destination, 0, offset, blend);
}

bool GraphicsContext::PaintImageAt(const ImageStrip& strip, const Bounds& destination, int sourceX,
                                   int sourceY, const Blend* blend) {
    const Bounds clipped = destination.IntersectionWith(clip_);
    if (clipped.IsEmpty() || canvas_ == nullptr) {
        return true;
    }
    const int x = sourceX + (clipped.left - destination.left);
    const int y = sourceY + (clipped.top - destination.top);
    const PX_Rect source{x, y, x + clipped.Width(), y + clipped.Height()};
    const float weight = blend != nullptr ? blend->weight : 1.0f;
    PX_Bitmap* pixels = PixelsOf(strip);
    if (pixels != nullptr) {
        pixels->PrepareArea(source.left, source.top, source.right, source.bottom);
    }
    PX_BlitRect(canvas_, pixels, clipped.left, clipped.top, &source, weight, CombineModeFor(blend));
    return true;
}
