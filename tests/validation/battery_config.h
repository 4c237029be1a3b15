// How hard the validation battery works and what it loads. Quick mode (the default) runs in the
// normal test command; thorough mode (CRESCENDA_VALIDATION=thorough) runs once in CI with far
// more iterations and the full processing grid.
#pragma once

#include <cstdint>
#include <string>

namespace battery {

bool Thorough();
// `quick` iterations in quick mode, `thorough` in thorough mode.
int Iterations(int quick, int thorough);

// The binary under test: CRESCENDA_VALIDATION_PLUGIN, else the plug-in built beside the battery.
std::string PluginPath();
// The binary with real-time counting: CRESCENDA_VALIDATION_RT_PLUGIN, else the instrumented
// plug-in built beside the battery (empty when neither exists).
std::string RealtimePluginPath();

// Timing checks can be switched off (CRESCENDA_VALIDATION_TIMING=off) where timing means
// nothing, such as under valgrind.
bool TimingChecks();

// Seed of the random inputs (CRESCENDA_VALIDATION_SEED, else a fixed one); every failure that
// depends on random input names it.
std::uint32_t Seed();

// "quick" or "thorough", for reports.
const char* ModeName();

} // namespace battery
