// The texts a parameter shows and the values typed text stands for, in the parameter's unit when
// it has one. The host adapters (display, label and typed values), the editor's readout and typed
// entry and the tools all go through these, so every place reads and writes the same text.
#pragma once

#include "framework/plugin_param.h"

enum class TextReading { Accepted, Unreadable, OutOfRange };

// The display text, a blank and the label when there is one: "0.32 s", "on". value is plain, or
// normalised with isNormalised.
void FormatWithLabel(const PluginParam& param, double value, bool isNormalised, char* text,
                     int size);

// Reads typed text: one of the display texts; otherwise with a unit, as the unit reads it, and
// without one a number (negated when the parameter displays negated values). Accepted only inside
// the range; a value within a rounding error of an end counts as that end. plain is set only when
// accepted.
TextReading ReadParamText(const PluginParam& param, const char* text, double& plain);

// Why text was refused, short enough for a text entry: "not a time" (what the unit reads) or the
// range, as in "range 0.010 to 10.0 s".
void RefusalText(const PluginParam& param, TextReading reading, char* text, int size);
