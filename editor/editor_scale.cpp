#include "editor/editor_scale.h"

#include <cmath>

int EditorScale::Nearest(double factor) {
    if (!std::isfinite(factor) || factor <= 0.0) {
        return Base;
    }
    if (factor < 1.25) {
        return Base;
    }
    return factor < 1.75 ? OneAndAHalf : Double;
}

int EditorScale::Length(int length, int percent) {
    return static_cast<int>(std::floor(static_cast<double>(length) * percent / 100.0 + 0.5));
}

Bounds EditorScale::Rect(const Bounds& rect, int percent) {
    if (rect.IsEmpty()) {
        return rect;
    }
    const int left = Length(rect.left, percent);
    const int top = Length(rect.top, percent);
    return Bounds{left, top, left + Length(rect.Width(), percent),
                  top + Length(rect.Height(), percent)};
}
