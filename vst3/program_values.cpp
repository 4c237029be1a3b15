#include "vst3/program_values.h"

namespace vst3 {

ProgramValues::ProgramValues(const PluginCore& core)
    : presets_(core.PresetCount()), params_(core.ParamCount()),
      values_(new std::atomic<double>[static_cast<size_t>(presets_ * params_)]),
      defined_(new std::atomic<bool>[static_cast<size_t>(presets_)]),
      scratch_(static_cast<size_t>(params_)) {
    for (int p = 0; p < presets_; ++p) {
        defined_[static_cast<size_t>(p)] = false;
    }
}

void ProgramValues::Refresh(const PluginCore& core) {
    for (int p = 0; p < presets_; ++p) {
        const bool defined = core.PresetValues(p, scratch_.data());
        if (defined) {
            for (int i = 0; i < params_; ++i) {
                At(p, i).store(scratch_[static_cast<size_t>(i)], std::memory_order_relaxed);
            }
        }
        defined_[static_cast<size_t>(p)].store(defined, std::memory_order_release);
    }
}

bool ProgramValues::Apply(PluginCore& core, int preset) const {
    if (preset < 0 || preset >= presets_ ||
        !defined_[static_cast<size_t>(preset)].load(std::memory_order_acquire)) {
        return false;
    }
    for (int i = 0; i < params_; ++i) {
        core.SetParamPlain(i, At(preset, i).load(std::memory_order_relaxed));
    }
    return true;
}

} // namespace vst3
