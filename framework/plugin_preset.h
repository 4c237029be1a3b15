// PluginPreset: a named, stored copy of the parameter state.
#pragma once

#include "framework/byte_block.h"

constexpr int PresetNameSize = 256; // terminator included: names keep at most 255 characters

class PluginPreset {
public:
    PluginPreset();
    PluginPreset(const PluginPreset&) = delete;
    PluginPreset& operator=(const PluginPreset&) = delete;

    bool Defined() const { return defined_; }
    void SetDefined(bool defined) { defined_ = defined; }
    const char* Name() const { return name_; }
    // Longer names are cut to 255 characters; null counts as "".
    void SetName(const char* name);
    ByteBlock& State() { return state_; }
    const ByteBlock& State() const { return state_; }

private:
    bool defined_ = false;
    char name_[PresetNameSize];
    ByteBlock state_;
};
