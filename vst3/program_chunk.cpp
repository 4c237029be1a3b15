// The component state: the VST2 program chunk, loaded whole or not at all.
#include "platform/recursive_lock.h"
#include "vst3/vst3_plugin.h"

namespace vst3 {

// A chunk that fails part-way has already changed what came before the damage, so everything it
// may change (the values and every preset) is saved first and put back.
bool Vst3Plugin::LoadProgramChunk(const ByteBlock& chunk) {
    ScopedLock hold(effect_->Lock());
    ByteBlock values;
    ByteBlock presets;
    if (!effect_->SaveState(values) || !effect_->SerializePresets(presets)) {
        return false;
    }
    int position = 0;
    PluginCore::ReadChunkHeader(chunk, position);
    const int end = position < 0 ? -1 : effect_->LoadState(chunk, position);
    if (end < 0) {
        effect_->UnserializePresets(presets, 0);
        effect_->LoadState(values, 0);
        effect_->StateRestored();
        return false;
    }
    effect_->ModifyCurrentPreset();
    effect_->StateRestored();
    return true;
}

} // namespace vst3
