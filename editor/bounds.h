// Bounds: a rectangle in editor pixels, y growing downwards, right and bottom exclusive. Only the
// all-zero rectangle is empty; a rectangle with right <= left but other fields set is not.
#pragma once

#include <algorithm>
#include <cstdint>

struct Bounds {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }

    // Touching on this rectangle's right or bottom edge counts as meeting; on its left or top
    // edge it does not.
    bool Intersects(const Bounds& other) const {
        return !IsEmpty() && !other.IsEmpty() && right >= other.left && left < other.right &&
               bottom >= other.top && top < other.bottom;
    }

    // The common part, or the empty rectangle when the two do not meet.
    Bounds IntersectionWith(const Bounds& other) const {
        if (!Intersects(other)) {
            return Bounds{};
        }
        return Bounds{std::max(left, other.left), std::max(top, other.top),
                      std::min(right, other.right), std::min(bottom, other.bottom)};
    }

    // Grows this accumulator to cover other; an empty side takes the other as it is.
    void UnionWith(const Bounds& other) {
        if (IsEmpty()) {
            *this = other;
        } else if (!other.IsEmpty()) {
            *this = Bounds{std::min(left, other.left), std::min(top, other.top),
                           std::max(right, other.right), std::max(bottom, other.bottom)};
        }
    }

    bool Contains(int x, int y) const {
        return !IsEmpty() && left <= x && x < right && top <= y && y < bottom;
    }
};
