// The component state: the VST2 program chunk, loaded whole or not at all.
#include "framework/realtime_checks.h"
#include "framework/state_backup.h"
#include "vst3/vst3_plugin.h"

namespace vst3 {

// A chunk that fails part-way has already changed what came before the damage, so everything it
// may change is backed up first and put back; without a complete backup nothing is loaded.
bool Vst3Plugin::LoadProgramChunk(const ByteBlock& chunk) {
    InstanceHold hold(effect_->Lock());
    StateBackup backup(*effect_);
    if (!backup.Complete()) {
        return false;
    }
    int position = 0;
    PluginCore::ReadChunkHeader(chunk, position);
    const int end = position < 0 ? -1 : effect_->LoadState(chunk, position);
    if (end < 0) {
        backup.PutBack();
        return false;
    }
    effect_->ModifyCurrentPreset();
    effect_->StateRestored();
    return true;
}

} // namespace vst3
