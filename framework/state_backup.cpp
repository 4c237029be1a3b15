#include "framework/state_backup.h"

#include "framework/plugin_core.h"

StateBackup::StateBackup(PluginCore& core)
    : core_(core), together_(core.Pending()),
      complete_(core.SaveState(values_) && core.SerializePresets(presets_)) {}

void StateBackup::PutBack() {
    if (!complete_) {
        return;
    }
    core_.UnserializePresets(presets_, 0); // ends by loading the current preset's values
    core_.LoadState(values_, 0);           // then the current values as they were
    core_.StateRestored();
}
