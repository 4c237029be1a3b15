// The colours of the editor: graphite panel, light grey print, one warm amber accent.
#pragma once

#include "artwork.h"

namespace artwork {

constexpr Colour kPanelTop{0.176, 0.180, 0.192};
constexpr Colour kPanelBottom{0.106, 0.110, 0.118};
constexpr Colour kWell{0.055, 0.057, 0.062};
constexpr Colour kPrint{0.835, 0.843, 0.863};
constexpr Colour kPrintDim{0.470, 0.478, 0.498};
constexpr Colour kAccent{0.957, 0.647, 0.255};
constexpr Colour kAccentDeep{0.600, 0.330, 0.070};
constexpr Colour kShadow{0.0, 0.0, 0.0};
constexpr Colour kHighlight{1.0, 1.0, 1.0};

constexpr Colour kKnobSkirtTop{0.265, 0.272, 0.290};
constexpr Colour kKnobSkirtBottom{0.085, 0.088, 0.096};
constexpr Colour kKnobCapTop{0.395, 0.405, 0.430};
constexpr Colour kKnobCapBottom{0.150, 0.155, 0.168};

} // namespace artwork
