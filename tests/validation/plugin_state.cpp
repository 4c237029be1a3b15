#include "tests/validation/plugin_state.h"

#include "tests/validation/battery_host.h"

namespace battery {

ObservedState Observe(PluginHost& host) {
    ObservedState state;
    state.values = ParameterValues(host);
    for (int p = 0; p < host.Effect()->numPrograms; ++p) {
        state.names.push_back(host.ProgramNameIndexed(p));
    }
    state.program = host.Program();
    state.bank = host.GetChunk(false);
    return state;
}

std::string Difference(const ObservedState& before, const ObservedState& after) {
    std::string text;
    if (!BitEqual(before.values, after.values)) {
        text += "parameters went from " + Describe(before.values) + " to " +
                Describe(after.values) + "; ";
    }
    if (before.names != after.names) {
        for (size_t i = 0; i < before.names.size() && i < after.names.size(); ++i) {
            if (before.names[i] != after.names[i]) {
                text += "preset " + std::to_string(i) + " was renamed from \"" + before.names[i] +
                        "\" to \"" + after.names[i] + "\"; ";
            }
        }
    }
    if (before.program != after.program) {
        text += "the current preset went from " + std::to_string(before.program) + " to " +
                std::to_string(after.program) + "; ";
    }
    if (before.bank != after.bank) {
        size_t at = 0;
        while (at < before.bank.size() && at < after.bank.size() &&
               before.bank[at] == after.bank[at]) {
            ++at;
        }
        text += "the bank chunk changed at byte " + std::to_string(at) +
                " (before: " + Describe(before.bank, at) + "; after: " + Describe(after.bank, at) +
                ")";
    }
    return text;
}

void RandomiseParameters(PluginHost& host, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.f, 1.f);
    for (int i = 0; i < host.Effect()->numParams; ++i) {
        host.SetParameter(i, unit(random));
    }
}

std::string RandomName(std::mt19937& random, int maxLength) {
    std::uniform_int_distribution<int> length(1, maxLength);
    std::uniform_int_distribution<int> character(32, 126);
    std::string name(static_cast<size_t>(length(random)), ' ');
    for (char& c : name) {
        c = static_cast<char>(character(random));
    }
    return name;
}

} // namespace battery
