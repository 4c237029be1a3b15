// Presets and state chunks of the plug-in base: the parameter and preset serialisers, the preset
// operations and the chunk header.
#include "framework/plugin_core.h"
#include "framework/trace.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::int32_t ChunkMagic = 0x70666674; // "tffp" in file order
constexpr std::int32_t ChunkVersion = 0x00010000;

// Appends and reports whether the block really grew by the value.
template <class T>
bool AppendChecked(ByteBlock& block, const T& value) {
    const std::int32_t before = block.Size();
    return block.Append(value) == before + static_cast<std::int32_t>(sizeof(T));
}

// A stored value as the parameter takes it: one that is not a number would poison every later
// sample, so it loads as the default.
double Loaded(const PluginParam& param, double stored) {
    return std::isfinite(stored) ? param.Clamp(stored) : param.Clamp(param.Default());
}

} // namespace

bool PluginCore::SerializeParams(ByteBlock& block) {
    bool ok = true;
    for (int i = 0; i < ParamCount() && ok; ++i) {
        const PluginParam* param = Param(i);
        Trace("PluginCore::SerializeParams", __LINE__, "%d %s %f", i, param->Name(),
              param->Value());
        ok = AppendChecked(block, param->Value());
    }
    return ok;
}

// The values are published together: the audio thread derives nothing from them until every one
// is stored.
int PluginCore::UnserializeParams(const ByteBlock& block, int position) {
    PendingParams::Publishing together(pending_);
    for (int i = 0; i < ParamCount() && position >= 0; ++i) {
        PluginParam* param = Param(i);
        Trace("PluginCore::UnserializeParams", __LINE__, "%d %s %f", i, param->Name(),
              param->Value());
        double v = 0.0;
        position = block.Read(v, position);
        param->SetValue(Loaded(*param, v));
    }
    pending_.MarkAll();
    return position;
}

bool PluginCore::PresetValues(int index, double* values) const {
    const PluginPreset* preset = Preset(index);
    if (preset == nullptr || !preset->Defined() || values == nullptr) {
        return false;
    }
    int position = 0;
    for (int i = 0; i < ParamCount() && position >= 0; ++i) {
        double v = 0.0;
        position = preset->State().Read(v, position);
        values[i] = Loaded(*Param(i), v);
    }
    return position >= 0;
}

bool PluginCore::SerializePresets(ByteBlock& block) {
    bool ok = true;
    for (int i = 0; i < PresetCount() && ok; ++i) {
        const PluginPreset* preset = Preset(i);
        const std::int32_t before = block.Size();
        const std::int32_t nameLength = static_cast<std::int32_t>(std::strlen(preset->Name()));
        ok = block.AppendString(preset->Name()) == before + 4 + nameLength;
        Trace("PluginCore::SerializePresets", __LINE__, "%d %s", i, preset->Name());
        const std::uint8_t defined = preset->Defined() ? 1 : 0;
        ok = ok && AppendChecked(block, defined);
        if (ok && preset->Defined()) {
            const ByteBlock& state = preset->State();
            const std::int32_t start = block.Size();
            ok = block.AppendBytes(state.Data(), state.Size()) == start + state.Size();
        }
    }
    return ok;
}

int PluginCore::UnserializePresets(const ByteBlock& block, int position) {
    TextBuffer name; // kept across entries: an unreadable name leaves the one read before
    for (int i = 0; i < PresetCount() && position >= 0; ++i) {
        PluginPreset* preset = Preset(i);
        const int end = block.ReadString(name, position);
        preset->SetName(name.Text());
        Trace("PluginCore::UnserializePresets", __LINE__, "%d %s", i, preset->Name());
        if (end < 0 || end >= block.Size()) {
            position = -1;
            break;
        }
        const bool wasDefined = preset->Defined();
        preset->SetDefined(block.Data()[end] != 0);
        position = end + 1;
        if (preset->Defined()) {
            position = LoadState(block, position);
            if (position > 0) {
                preset->State().Clear();
                SaveState(preset->State());
            } else {
                // A damaged entry keeps its flag and state: it must not turn into a defined
                // preset without values.
                preset->SetDefined(wasDefined);
            }
        }
    }
    LoadPreset(currentPreset_);
    return position;
}

void PluginCore::ModifyCurrentPreset(const char* name) {
    PluginPreset* preset = Preset(currentPreset_);
    if (preset == nullptr) {
        return;
    }
    preset->State().Clear();
    Trace("PluginCore::ModifyCurrentPreset", __LINE__, "%d %s", currentPreset_, preset->Name());
    SaveState(preset->State());
    if (name != nullptr && name[0] != '\0') {
        preset->SetName(name);
    }
}

bool PluginCore::DefineFromCurrentState(PluginPreset& preset, const char* name) {
    // A preset a bank chunk marked undefined may still hold old bytes; they must not come first.
    preset.State().Clear();
    if (!SaveState(preset.State())) {
        return false;
    }
    preset.SetDefined(true);
    preset.SetName(name);
    return true;
}

bool PluginCore::LoadPreset(int index) {
    PluginPreset* preset = Preset(index);
    if (preset == nullptr) {
        return false;
    }
    bool ok;
    if (preset->Defined()) {
        ok = LoadState(preset->State(), 0) > 0;
    } else {
        int count = 0;
        for (int i = 0; i < PresetCount(); ++i) {
            count += std::strstr(Preset(i)->Name(), "user preset") != nullptr ? 1 : 0;
        }
        char name[PresetNameSize];
        std::snprintf(name, sizeof name, "%s %d", "user preset", count + 1);
        ok = DefineFromCurrentState(*preset, name);
    }
    if (ok) {
        currentPreset_ = index;
        PresetListChanged();
        StateRestored();
    }
    return ok;
}

bool PluginCore::SelectPreset(int index) {
    if (Preset(index) == nullptr) {
        return false;
    }
    currentPreset_ = index;
    PresetListChanged();
    return true;
}

const char* PluginCore::PresetName(int index) const {
    const PluginPreset* preset = Preset(index);
    return preset != nullptr ? preset->Name() : "";
}

void PluginCore::FillEmptyPresets(int count) {
    for (int round = 0; round < count; ++round) {
        PluginPreset* preset = FirstUndefinedPreset();
        if (preset != nullptr) {
            DefineFromCurrentState(*preset, "Empty");
        }
    }
}

void PluginCore::AddPreset(const char* name, const double* values) {
    PluginPreset* preset = FirstUndefinedPreset();
    if (preset == nullptr || values == nullptr) {
        return;
    }
    preset->State().Clear();
    for (int i = 0; i < ParamCount(); ++i) {
        preset->State().Append(values[i]);
    }
    preset->SetDefined(true);
    preset->SetName(name);
}

PluginPreset* PluginCore::FirstUndefinedPreset() const {
    for (int i = 0; i < PresetCount(); ++i) {
        if (!Preset(i)->Defined()) {
            return Preset(i);
        }
    }
    return nullptr;
}

void PluginCore::WriteChunkHeader(ByteBlock& block) {
    block.Clear();
    block.Append(ChunkMagic);
    block.Append(ChunkVersion);
}

std::int32_t PluginCore::ReadChunkHeader(const ByteBlock& block, int& position) {
    std::int32_t magic = 0;
    if (block.Read(magic, position) < 0 || magic != ChunkMagic) {
        return 0;
    }
    std::int32_t version = 0;
    position = block.Read(version, position + 4);
    return position < 0 ? 0 : version;
}
