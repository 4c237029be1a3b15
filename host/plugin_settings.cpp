#include "host/plugin_settings.h"

#include "host/replaced_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace {

constexpr size_t kMaxStateBytes = size_t(64) << 20;
constexpr int kBisectionSteps = 48;

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool SameName(const std::string& a, const std::string& b) {
    return Lower(Trim(a)) == Lower(Trim(b));
}

std::string DisplayAt(PluginHost& host, int index, float normalised) {
    host.SetParameter(index, normalised);
    return Trim(host.ParamDisplay(index));
}

std::string Listing(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + ("'" + name + "'");
    }
    return text;
}

bool DisplayNumber(PluginHost& host, int index, float normalised, double& value) {
    int decimals = 0;
    return LeadingNumber(DisplayAt(host, index, normalised), value, decimals, false);
}

// Finds the normalised value whose display reads `target`, for plug-ins that do not take typed
// values; the display must rise or fall steadily with the value.
bool Bisect(PluginHost& host, int index, const ParameterRange& range, double target) {
    double first = 0.0, last = 0.0;
    if (!DisplayNumber(host, index, 0.f, first) || !DisplayNumber(host, index, 1.f, last)) {
        return false;
    }
    const bool rising = last >= first;
    float below = 0.f, above = 1.f;
    for (int step = 0; step < kBisectionSteps && above - below > 1e-7f; ++step) {
        const float middle = below + (above - below) * 0.5f;
        double shown = 0.0;
        if (!DisplayNumber(host, index, middle, shown)) {
            return false;
        }
        if (rising ? shown < target : shown > target) {
            below = middle;
        } else {
            above = middle;
        }
    }
    double atBelow = 0.0, atAbove = 0.0;
    DisplayNumber(host, index, below, atBelow);
    DisplayNumber(host, index, above, atAbove);
    const bool takeAbove = std::fabs(atAbove - target) <= std::fabs(atBelow - target);
    const double reached = takeAbove ? atAbove : atBelow;
    host.SetParameter(index, takeAbove ? above : below);
    // Displays are rounded, so a value may fall between two shown steps.
    const double allowed = std::max(range.tolerance * 2.0, 1e-9 * std::fabs(target));
    return std::fabs(reached - target) <= allowed;
}

std::string RangeText(const ParameterRange& range, const std::string& label) {
    return range.lowText + " to " + range.highText + (label.empty() ? "" : " " + label);
}

} // namespace

bool LeadingNumber(const std::string& text, double& value, int& decimals, bool wholeText) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        return false;
    }
    const char* begin = trimmed.c_str();
    char* end = nullptr;
    const double parsed = std::strtod(begin, &end);
    if (end == begin || std::isnan(parsed)) {
        return false;
    }
    if (wholeText && *end != '\0') {
        return false;
    }
    const std::string number(begin, static_cast<size_t>(end - begin));
    const size_t point = number.find('.');
    decimals = 0;
    if (point != std::string::npos) {
        size_t i = point + 1;
        while (i < number.size() && std::isdigit(static_cast<unsigned char>(number[i]))) {
            ++decimals;
            ++i;
        }
    }
    value = parsed;
    return true;
}

int FindParameter(PluginHost& host, const std::string& name) {
    for (int i = 0; i < host.Effect()->numParams; ++i) {
        if (SameName(host.ParamName(i), name)) {
            return i;
        }
    }
    return -1;
}

ParameterRange ReadParameterRange(PluginHost& host, int index) {
    ParameterRange range;
    const float saved = host.GetParameter(index);
    range.lowText = DisplayAt(host, index, 0.f);
    range.highText = DisplayAt(host, index, 1.f);
    host.SetParameter(index, saved);
    double low = 0.0, high = 0.0;
    int lowDecimals = 0, highDecimals = 0;
    range.numeric = LeadingNumber(range.lowText, low, lowDecimals, false) &&
                    LeadingNumber(range.highText, high, highDecimals, false);
    if (range.numeric) {
        range.low = std::min(low, high);
        range.high = std::max(low, high);
        range.tolerance = 0.5 * std::pow(10.0, -std::max(lowDecimals, highDecimals));
    }
    return range;
}

// The plug-in reads the text first: it may take units its display does not show ("800 ms"). A
// bare number outside the displayed range is refused here, since some plug-ins clamp what they are
// typed; a bare number they refuse is found by its display.
bool SetPlainValue(PluginHost& host, int index, const std::string& value, std::string& error) {
    const std::string name = Trim(host.ParamName(index));
    const std::string label = Trim(host.ParamLabel(index));
    const ParameterRange range = ReadParameterRange(host, index);
    double number = 0.0;
    int decimals = 0;
    const bool bareNumber =
        range.numeric && LeadingNumber(value, number, decimals, true) && std::isfinite(number);
    if (bareNumber &&
        (number < range.low - range.tolerance || number > range.high + range.tolerance)) {
        error = value + " is out of range for " + name + " (" + RangeText(range, label) + ")";
        return false;
    }
    std::string text = Trim(value);
    if (host.Dispatch(effString2Parameter, index, 0, text.data()) != 0) {
        return true;
    }
    if (bareNumber && Bisect(host, index, range, number)) {
        return true;
    }
    error = range.numeric
                ? name + " takes a number from " + RangeText(range, label) + ", not '" + value + "'"
                : "the plug-in does not accept '" + value + "' for " + name;
    return false;
}

std::vector<std::string> PresetNames(PluginHost& host) {
    std::vector<std::string> names;
    const int count = std::max(host.Effect()->numPrograms, 0);
    const int current = host.Program();
    bool switched = false;
    for (int i = 0; i < count; ++i) {
        char buffer[256] = {};
        if (host.Dispatch(effGetProgramNameIndexed, i, -1, buffer) != 0) {
            buffer[sizeof(buffer) - 1] = '\0';
            names.push_back(Trim(buffer));
            continue;
        }
        // Plug-ins without indexed names: select each program and read its name.
        host.SetProgram(i);
        switched = true;
        names.push_back(Trim(host.ProgramName()));
    }
    if (switched) {
        host.SetProgram(current);
    }
    return names;
}

bool SelectPreset(PluginHost& host, const std::string& nameOrIndex, std::string& error) {
    const int count = host.Effect()->numPrograms;
    if (count <= 0) {
        error = "the plug-in has no presets";
        return false;
    }
    const std::vector<std::string> names = PresetNames(host);
    int chosen = -1;
    double number = 0.0;
    int decimals = 0;
    if (LeadingNumber(nameOrIndex, number, decimals, true)) {
        if (decimals != 0 || number < 0 || number >= count || number != std::floor(number)) {
            error = "preset index " + nameOrIndex + " is out of range (0 to " +
                    std::to_string(count - 1) + ")";
            return false;
        }
        chosen = static_cast<int>(number);
    } else {
        for (int i = 0; i < static_cast<int>(names.size()); ++i) {
            if (SameName(names[static_cast<size_t>(i)], nameOrIndex)) {
                chosen = i;
                break;
            }
        }
        if (chosen < 0) {
            error = "unknown preset '" + nameOrIndex + "'; the presets are " + Listing(names);
            return false;
        }
    }
    host.Dispatch(effBeginSetProgram);
    host.SetProgram(chosen);
    host.Dispatch(effEndSetProgram);
    return true;
}

// Chunks are asked for whether or not the record sets effFlagsProgramChunks: some effects answer
// them without the flag, and one that does not simply gives or takes nothing.
bool LoadProgramState(PluginHost& host, const std::string& path, std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(path, kMaxStateBytes, bytes, error)) {
        return false;
    }
    if (bytes.empty()) {
        error = path + " is empty";
        return false;
    }
    if (!host.SetChunk(true, std::vector<uint8_t>(bytes.begin(), bytes.end()))) {
        error = "the plug-in refused the state in " + path;
        return false;
    }
    return true;
}

bool SaveProgramState(PluginHost& host, const std::string& path, std::string& error) {
    const std::vector<uint8_t> chunk = host.GetChunk(true);
    if (chunk.empty()) {
        error = "the plug-in gave no program state (it keeps no state chunks)";
        return false;
    }
    return WriteWholeFile(path, std::string(chunk.begin(), chunk.end()), error);
}

std::string ParameterNameList(PluginHost& host) {
    std::vector<std::string> names;
    for (int i = 0; i < host.Effect()->numParams; ++i) {
        names.push_back(Trim(host.ParamName(i)));
    }
    return Listing(names);
}

bool IsSettingsOption(const std::string& name) {
    return name == "--preset" || name == "--load-state" || name == "--set";
}

bool ReadSettingsOption(const std::string& name, const std::string& value, PluginSettings& settings,
                        std::string& error) {
    if (name == "--set") {
        const size_t equals = value.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == value.size()) {
            error = "--set takes NAME=VALUE, not '" + value + "'";
            return false;
        }
        settings.sets.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        return true;
    }
    if (value.empty()) {
        error = name + " needs a value";
        return false;
    }
    (name == "--preset" ? settings.preset : settings.loadState) = value;
    return true;
}

bool ApplySettings(PluginHost& host, const PluginSettings& settings, std::string& error) {
    if (!settings.preset.empty() && !SelectPreset(host, settings.preset, error)) {
        return false;
    }
    if (!settings.loadState.empty() && !LoadProgramState(host, settings.loadState, error)) {
        return false;
    }
    for (const auto& [name, value] : settings.sets) {
        const int index = FindParameter(host, name);
        if (index < 0) {
            error =
                "unknown parameter '" + name + "'; the parameters are " + ParameterNameList(host);
            return false;
        }
        if (!SetPlainValue(host, index, value, error)) {
            return false;
        }
    }
    return true;
}
