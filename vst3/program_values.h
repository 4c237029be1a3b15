// ProgramValues: every preset's values, kept where the audio thread can read them without a lock,
// so a program change arriving among process()'s parameter points sets the preset's values on
// its own sample, as any other point does. The UI thread copies the presets in whenever they may
// have changed; a preset being copied while the audio thread reads it gives each value from
// before or after the copy, never a torn number.
#pragma once

#include "framework/plugin_core.h"

#include <atomic>
#include <memory>
#include <vector>

namespace vst3 {

class ProgramValues {
public:
    // UI thread, before processing starts: room for the core's presets and parameters.
    explicit ProgramValues(const PluginCore& core);

    // UI thread, under the instance lock. Allocates nothing.
    void Refresh(const PluginCore& core);
    // Audio thread: stores the preset's values as the host's values (marked pending, so the next
    // span takes them). False, with nothing changed, for an unknown or undefined preset.
    bool Apply(PluginCore& core, int preset) const;

private:
    std::atomic<double>& At(int preset, int param) const {
        return values_[static_cast<size_t>(preset * params_ + param)];
    }

    int presets_;
    int params_;
    std::unique_ptr<std::atomic<double>[]> values_;
    std::unique_ptr<std::atomic<bool>[]> defined_;
    std::vector<double> scratch_;
};

} // namespace vst3
