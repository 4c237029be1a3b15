#include "editor/x11/x11_display_scale.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <cstring>

namespace {

constexpr double BaseDpi = 96.0;
constexpr double MaxDpi = 10000.0;

// A decimal number with an optional fraction, read whatever the host's locale; 0 for anything else.
double ReadDpi(const char* text) {
    double value = 0.0;
    double unit = 0.0; // 0 before the point, then the fraction's place
    bool digits = false;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c >= '0' && *c <= '9') {
            digits = true;
            if (unit == 0.0) {
                value = value * 10.0 + (*c - '0');
            } else {
                unit /= 10.0;
                value += (*c - '0') * unit;
            }
            if (value > MaxDpi) {
                return 0.0;
            }
        } else if (*c == '.' && unit == 0.0) {
            unit = 1.0;
        } else if (*c != ' ' && *c != '\t') {
            return 0.0;
        }
    }
    return digits ? value : 0.0;
}

} // namespace

double DisplayScale(Display* display) {
    const char* resources = display != nullptr ? XResourceManagerString(display) : nullptr;
    if (resources == nullptr) {
        return 1.0;
    }
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    if (database == nullptr) {
        return 1.0;
    }
    char* type = nullptr;
    XrmValue value{};
    double dpi = 0.0;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr &&
        type != nullptr && std::strcmp(type, "String") == 0) {
        dpi = ReadDpi(value.addr);
    }
    XrmDestroyDatabase(database);
    return dpi > 0.0 ? dpi / BaseDpi : 1.0;
}
