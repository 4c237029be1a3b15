#include "framework/param_text.h"

#include "framework/param_unit.h"

#include <cmath>
#include <cstdio>

namespace {

// A display text (exact), then the unit's reading or, without one, a number.
bool ReadText(const PluginParam& param, const char* text, double& plain) {
    std::int32_t value = 0;
    if (param.ValueForDisplayText(text, value)) {
        plain = value;
        return true;
    }
    if (param.Unit() != nullptr) {
        return param.Unit()->Parse(text, plain);
    }
    char word[2];
    if (!SplitQuantity(text, plain, word, sizeof word) || word[0] != '\0') {
        return false;
    }
    if (param.NegateDisplay()) {
        plain = -plain;
    }
    return true;
}

// Cut to the caller's buffer: a short buffer keeps the start of the text.
void Write(char* text, int size, const char* first, const char* second, const char* third) {
    if (text != nullptr && size > 0 &&
        std::snprintf(text, static_cast<std::size_t>(size), "%s%s%s", first, second, third) >=
            size) {
        text[size - 1] = '\0';
    }
}

} // namespace

void FormatWithLabel(const PluginParam& param, double value, bool isNormalised, char* text,
                     int size) {
    char shown[ParamTextSize];
    param.FormatValue(value, isNormalised, true, shown, sizeof shown);
    const char* label = param.LabelText();
    Write(text, size, shown, label[0] != '\0' ? " " : "", label);
}

TextReading ReadParamText(const PluginParam& param, const char* text, double& plain) {
    double read = 0.0;
    if (text == nullptr || !ReadText(param, text, read)) {
        return TextReading::Unreadable;
    }
    // Texts shown at the ends read back a rounding error beyond them (log10 of 0.01, say).
    const double slack = 1e-9 * (param.Maximum() - param.Minimum());
    if (!(read >= param.Minimum() - slack && read <= param.Maximum() + slack)) {
        return TextReading::OutOfRange; // also NaN
    }
    plain = param.Clamp(read);
    return TextReading::Accepted;
}

void RefusalText(const PluginParam& param, TextReading reading, char* text, int size) {
    if (reading == TextReading::Unreadable) {
        Write(text, size, "not ", param.Unit() != nullptr ? param.Unit()->Reads() : "a number", "");
        return;
    }
    char low[ParamTextSize];
    char high[ParamTextSize];
    param.FormatValue(param.Minimum(), false, true, low, sizeof low);
    FormatWithLabel(param, param.Maximum(), false, high, sizeof high);
    char range[ParamTextSize];
    Write(range, sizeof range, low, " to ", high);
    Write(text, size, "range ", range, "");
}
