#include "host/clap/clap_settings.h"

#include "host/clap/clap_presets.h"
#include "host/replaced_file.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr size_t MaxStateBytes = size_t(64) << 20;

std::string Folded(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    const auto last = text.find_last_not_of(" \t\r\n");
    std::string folded = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

bool SelectClapPreset(const ClapModule& module, ClapInstance& instance,
                      const std::string& nameOrIndex, std::string& error) {
    std::vector<ClapPreset> presets;
    if (!DiscoverPresets(module, presets, error)) {
        return false;
    }
    std::string names;
    for (size_t i = 0; i < presets.size(); ++i) {
        if (Folded(presets[i].name) == Folded(nameOrIndex) || std::to_string(i) == nameOrIndex) {
            if (LoadPreset(instance, presets[i])) {
                return true;
            }
            error = "the plug-in could not load the preset '" + presets[i].name + "'";
            return false;
        }
        names += (names.empty() ? "'" : ", '") + presets[i].name + "'";
    }
    error = "unknown preset '" + nameOrIndex + "'; the presets are " + names;
    return false;
}

bool LoadClapState(ClapInstance& instance, const std::string& path, std::string& error) {
    std::string bytes;
    if (!ReadWholeFile(path, MaxStateBytes, bytes, error)) {
        return false;
    }
    if (!instance.LoadState(std::vector<std::uint8_t>(bytes.begin(), bytes.end()))) {
        error = "the plug-in refused the state in " + path;
        return false;
    }
    return true;
}

bool SetClapValue(ClapInstance& instance, const std::string& name, const std::string& text,
                  std::string& error) {
    clap_param_info info{};
    if (!FindClapParam(instance, name, info)) {
        error = "unknown parameter '" + name + "'";
        return false;
    }
    double value = 0.0;
    if (!instance.TextToValue(info.id, text, value)) {
        error = "the plug-in does not accept '" + text + "' for " + info.name;
        return false;
    }
    ClapInputEvents events;
    ClapOutputEvents output;
    events.Add(ParamValueEvent(0, info.id, value, info.cookie).header);
    instance.Flush(events, output);
    return true;
}

} // namespace

bool FindClapParam(const ClapInstance& instance, const std::string& name, clap_param_info& info) {
    for (const clap_param_info& candidate : instance.ParamInfos()) {
        if (Folded(candidate.name) == Folded(name)) {
            info = candidate;
            return true;
        }
    }
    return false;
}

bool ApplyClapSettings(const ClapModule& module, ClapInstance& instance,
                       const PluginSettings& settings, std::string& error) {
    if (!settings.preset.empty() && !SelectClapPreset(module, instance, settings.preset, error)) {
        return false;
    }
    if (!settings.loadState.empty() && !LoadClapState(instance, settings.loadState, error)) {
        return false;
    }
    for (const auto& [name, value] : settings.sets) {
        if (!SetClapValue(instance, name, value, error)) {
            return false;
        }
    }
    return true;
}

bool SaveClapState(const ClapInstance& instance, const std::string& path, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!instance.SaveState(bytes) || bytes.empty()) {
        error = "the plug-in gave no state";
        return false;
    }
    return WriteWholeFile(path, std::string(bytes.begin(), bytes.end()), error);
}
