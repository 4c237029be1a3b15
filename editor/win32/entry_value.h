// What the text entry box accepts as typed characters for a parameter.
#pragma once

#include "framework/plugin_param.h"

// Whether the box of a parameter takes a typed character: one with a unit every character (it
// reads "800 ms", "-6 dB", "on"); otherwise the discrete kinds take digits and signs, the
// continuous kind a decimal point too, parameters of no kind everything. Backspace always passes.
bool EntryTakesCharacter(const PluginParam& param, unsigned character);
