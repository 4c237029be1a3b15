// Shifts a colour's hue, saturation and value by a source colour: red moves the hue, green the
// saturation, blue the value (128 = no change), each scaled by the weight 0..256.
#pragma once

#include "raster/px_pixel32.h"

// Returns the shifted colour's red, green and blue bytes; the alpha byte of the result is 0.
PX_Pixel32 HsvShift(PX_Pixel32 dest, int sourceRed, int sourceGreen, int sourceBlue, int weight);
