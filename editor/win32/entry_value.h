// What the text entry box accepts and what a committed text means for a parameter.
#pragma once

#include "framework/plugin_param.h"

// Whether the box of a parameter of this kind takes a typed character: the discrete kinds take
// digits and signs, the continuous kind a decimal point too, parameters of no kind everything.
// Backspace always passes.
bool EntryTakesCharacter(ParamKind kind, unsigned character);

// The plain value a committed text stands for. For the boolean and enumerated kinds, the value of
// the display text equal to the text; otherwise (and when none matches) the text's leading
// decimal number, negated when the parameter displays negated values; 0 when there is none.
double EnteredPlainValue(const PluginParam& param, const char* text);
