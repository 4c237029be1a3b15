// Blend: how a control's images are combined with what lies beneath them.
#pragma once

#include <cstdint>

enum class BlendMode : std::int32_t {
    Normal = 0,  // blended by the source alpha
    Replace = 1, // plain copy, alpha ignored
    Add = 2,     // additive, with source alpha
    Dodge = 3,   // colour dodge, with source alpha
};

struct Blend {
    BlendMode mode = BlendMode::Normal;
    float weight = 1.0f; // opacity 0..1; a greyed control draws at 0.25
};
