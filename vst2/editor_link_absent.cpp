// Builds without the editor framework: no editor can be attached, so none of these is reached.
#include "vst2/editor_link.h"

void EditorPushParam(GraphicsContext& /*editor*/, int /*index*/, double /*value*/,
                     bool /*normalised*/) {}

bool EditorOpenWindow(GraphicsContext& /*editor*/, void* /*parentWindow*/) {
    return false;
}

void EditorCloseWindow(GraphicsContext& /*editor*/) {}

void EditorSize(const GraphicsContext& /*editor*/, int& width, int& height) {
    width = 0;
    height = 0;
}
