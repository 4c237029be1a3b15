// Everything a host can observe of an instance's stored state, to tell "nothing changed" from
// "something changed", and the random edits the state checks start from.
#pragma once

#include "host/plugin_host.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace battery {

struct ObservedState {
    std::vector<float> values;      // getParameter of every parameter
    std::vector<std::string> names; // every preset name
    int program = 0;                // current preset
    std::vector<std::uint8_t> bank; // the bank chunk the instance gives now
};

ObservedState Observe(PluginHost& host);
// Empty when equal; else what differs.
std::string Difference(const ObservedState& before, const ObservedState& after);

// Sets every parameter to a random normalised value.
void RandomiseParameters(PluginHost& host, std::mt19937& random);
// A random printable preset name of 1..maxLength characters.
std::string RandomName(std::mt19937& random, int maxLength);

} // namespace battery
