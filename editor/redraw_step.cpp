#include "editor/redraw_step.h"

#include "editor/graphics_context.h"

bool RedrawDirtyControls(GraphicsContext& graphics) {
    Bounds dirty;
    if (!graphics.CollectDirty(dirty)) {
        return false;
    }
    graphics.Repaint(dirty);
    return true;
}
