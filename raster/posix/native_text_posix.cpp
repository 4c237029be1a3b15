// No system text drawing here: every string goes through the glyph path.
#include "raster/native_text.h"

bool NativeTextExists() {
    return false;
}

bool NativeTextPreferred() {
    return false;
}

int DrawNativeText(const NativeTextStyle& /*style*/, PX_Bitmap* /*bitmap*/, const char* /*text*/,
                   int /*count*/, PX_Rect& /*rect*/, int /*flags*/) {
    // Unreachable: the font asks NativeTextExists() first.
    return 0;
}
