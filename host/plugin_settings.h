// Choosing presets, typing parameter values and moving program state, through the VST 2.4
// interface only, so the renderer works with any effect.
#pragma once

#include "host/plugin_host.h"

#include <string>
#include <utility>
#include <vector>

// What a tool sets up in the effect before it runs: a preset, then a program state file, then
// typed parameter values, in that order (the command-line options --preset, --load-state, --set).
struct PluginSettings {
    std::string preset;                                    // name or index; empty: none
    std::string loadState;                                 // chunk file; empty: none
    std::vector<std::pair<std::string, std::string>> sets; // name, plain value, in order
};

// True for the option names PluginSettings reads.
bool IsSettingsOption(const std::string& name);
// Takes one such option's value; false, with error, when the value is missing or malformed.
bool ReadSettingsOption(const std::string& name, const std::string& value, PluginSettings& settings,
                        std::string& error);

// What a parameter's display reads at the ends of its normalised range.
struct ParameterRange {
    std::string lowText, highText; // the display at normalised 0 and 1
    bool numeric = false;          // both ends read as numbers
    double low = 0.0, high = 0.0;  // low <= high
    double tolerance = 0.0;        // half a unit of the displays' last digit
};

// The index of the parameter with this name (case and surrounding spaces ignored), or -1.
int FindParameter(PluginHost& host, const std::string& name);
// The parameter names, quoted and separated by commas (for messages).
std::string ParameterNameList(PluginHost& host);
// Reads the display at both ends, then restores the parameter's value.
ParameterRange ReadParameterRange(PluginHost& host, int index);
// Sets a plain value in the parameter's own units after checking it against the range.
bool SetPlainValue(PluginHost& host, int index, const std::string& value, std::string& error);

std::vector<std::string> PresetNames(PluginHost& host);
// Selects a preset by index or by name (case ignored).
bool SelectPreset(PluginHost& host, const std::string& nameOrIndex, std::string& error);

// Program state as a chunk file (effGetChunk / effSetChunk on the current program).
bool LoadProgramState(PluginHost& host, const std::string& path, std::string& error);
bool SaveProgramState(PluginHost& host, const std::string& path, std::string& error);

// Applies the settings in their order; false, with error, at the first that fails.
bool ApplySettings(PluginHost& host, const PluginSettings& settings, std::string& error);

// Parses the number a display or a typed value starts with; `decimals` counts its fraction digits.
bool LeadingNumber(const std::string& text, double& value, int& decimals, bool wholeText);
