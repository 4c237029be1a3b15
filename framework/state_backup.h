// StateBackup: what loading a chunk may change (the current values and every preset), saved
// before the load. The state readers stop at the first damaged value after changing what came
// before it, so a load that fails puts the backup back and the host's "not loaded" is true.
// While a backup lives the values are published together: the audio thread derives nothing from
// them until the whole chunk is in or put back. UI thread, under the instance lock.
#pragma once

#include "framework/byte_block.h"
#include "framework/pending_params.h"

class PluginCore;

class StateBackup {
public:
    explicit StateBackup(PluginCore& core);
    StateBackup(const StateBackup&) = delete;
    StateBackup& operator=(const StateBackup&) = delete;

    // Whether the values and the presets were both saved; an incomplete backup puts nothing back.
    bool Complete() const { return complete_; }
    // The presets and values as they were, shown in the editor.
    void PutBack();

private:
    PluginCore& core_;
    PendingParams::Publishing together_;
    ByteBlock values_;
    ByteBlock presets_;
    bool complete_;
};
