#include "editor/win32/entry_value.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr unsigned Backspace = 8;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number at the start of the text (after blanks): a sign, digits and a fraction; no exponent,
// no hexadecimal and no words such as "inf", whatever the box was given by pasting.
double LeadingDecimal(const char* text) {
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    const char* end = text;
    if (*end == '+' || *end == '-') {
        ++end;
    }
    int digits = 0;
    for (; IsDigit(*end); ++end) {
        ++digits;
    }
    if (*end == '.') {
        ++end;
        for (; IsDigit(*end); ++end) {
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    char number[64];
    const size_t length = static_cast<size_t>(end - text);
    if (length >= sizeof number) {
        return 0.0;
    }
    std::memcpy(number, text, length);
    number[length] = '\0';
    return std::strtod(number, nullptr);
}

} // namespace

bool EntryTakesCharacter(ParamKind kind, unsigned character) {
    if (character == Backspace) {
        return true;
    }
    const bool digitOrSign =
        (character >= '0' && character <= '9') || character == '+' || character == '-';
    switch (kind) {
    case ParamKindBoolean:
    case ParamKindInteger:
    case ParamKindEnumerated:
        return digitOrSign;
    case ParamKindContinuous:
        return digitOrSign || character == '.';
    default:
        return true;
    }
}

// A typed number also counts for the discrete kinds: the box of a switch without display texts
// shows its value as a number, and confirming it unchanged must not switch it off.
double EnteredPlainValue(const PluginParam& param, const char* text) {
    if (text == nullptr) {
        return 0.0;
    }
    if (param.Kind() == ParamKindBoolean || param.Kind() == ParamKindEnumerated) {
        std::int32_t value = 0;
        if (param.ValueForDisplayText(text, value)) {
            return value;
        }
    }
    const double number = LeadingDecimal(text);
    return param.NegateDisplay() ? -number : number;
}
