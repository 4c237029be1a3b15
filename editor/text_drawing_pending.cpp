// Until the raster library has its cached font, no font can be made: text draws nothing.
#include "editor/graphics_context.h"

PX_CachedFont* GraphicsContext::FontFor(TextStyle& /*style*/) {
    return nullptr;
}

bool GraphicsContext::DrawTextBox(TextStyle& /*style*/, const char* text, Bounds& /*rect*/,
                                  bool /*measure*/) {
    return text == nullptr || text[0] == '\0';
}

bool GraphicsContext::MeasureTextBox(TextStyle& style, const char* text, Bounds& rect) {
    return DrawTextBox(style, text, rect, true);
}
