#include "raster/win32/wine_state.h"

#include <windows.h>

namespace {

enum class WineState { Unknown, Yes, No };

WineState state = WineState::Unknown;

} // namespace

bool RunningUnderWine() {
    if (state == WineState::Unknown) {
        HKEY key = nullptr;
        if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "Software\\Wine", &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            state = WineState::Yes;
        } else {
            state = WineState::No;
        }
    }
    return state == WineState::Yes;
}

void SetWineStateForTesting(bool underWine) {
    state = underWine ? WineState::Yes : WineState::No;
}
