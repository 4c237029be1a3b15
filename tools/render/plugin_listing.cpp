#include "tools/render/plugin_listing.h"

#include "host/plugin_settings.h"

#include <algorithm>
#include <vector>

namespace {

std::string WithLabel(const std::string& value, const std::string& label) {
    return label.empty() ? value : value + " " + label;
}

} // namespace

void PrintPluginListing(PluginHost& host, const std::string& path, std::FILE* stream) {
    const AEffect& effect = *host.Effect();
    std::fprintf(stream, "%s (%s)\n", host.EffectName().c_str(), path.c_str());
    std::fprintf(stream, "  %d input(s), %d output(s), latency %d samples\n", effect.numInputs,
                 effect.numOutputs, effect.initialDelay);

    const std::vector<std::string> presets = PresetNames(host);
    const int current = host.Program();
    std::fprintf(stream, "\nPresets (%d):\n", static_cast<int>(presets.size()));
    for (size_t i = 0; i < presets.size(); ++i) {
        std::fprintf(stream, "  %3d  %s%s\n", static_cast<int>(i), presets[i].c_str(),
                     static_cast<int>(i) == current ? "  (current)" : "");
    }

    struct Row {
        std::string name, range, value;
    };
    std::vector<Row> rows;
    size_t nameWidth = 4, rangeWidth = 5;
    for (int i = 0; i < effect.numParams; ++i) {
        const std::string label = host.ParamLabel(i);
        const ParameterRange range = ReadParameterRange(host, i);
        Row row{host.ParamName(i), WithLabel(range.lowText + " to " + range.highText, label),
                WithLabel(host.ParamDisplay(i), label)};
        nameWidth = std::max(nameWidth, row.name.size());
        rangeWidth = std::max(rangeWidth, row.range.size());
        rows.push_back(row);
    }
    std::fprintf(stream, "\nParameters (%d):\n", effect.numParams);
    std::fprintf(stream, "  %3s  %-*s  %-*s  %s\n", "", static_cast<int>(nameWidth), "name",
                 static_cast<int>(rangeWidth), "range", "default");
    for (size_t i = 0; i < rows.size(); ++i) {
        std::fprintf(stream, "  %3d  %-*s  %-*s  %s\n", static_cast<int>(i),
                     static_cast<int>(nameWidth), rows[i].name.c_str(),
                     static_cast<int>(rangeWidth), rows[i].range.c_str(), rows[i].value.c_str());
    }
    std::fprintf(stream, "\nSet values in the units shown, e.g. --set \"%s=%s\".\n",
                 rows.empty() ? "Name" : rows[0].name.c_str(),
                 rows.empty() ? "1" : host.ParamDisplay(0).c_str());
}
