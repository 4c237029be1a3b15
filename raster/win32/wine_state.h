// Whether the process runs under Wine, asked of the registry once per process.
#pragma once

bool RunningUnderWine();

// Tests only: sets the answer, so the system's drawing can be tested under Wine too.
void SetWineStateForTesting(bool underWine);
