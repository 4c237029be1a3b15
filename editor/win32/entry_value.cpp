#include "editor/win32/entry_value.h"

namespace {

constexpr unsigned Backspace = 8;

} // namespace

bool EntryTakesCharacter(const PluginParam& param, unsigned character) {
    if (character == Backspace || param.Unit() != nullptr) {
        return true;
    }
    const bool digitOrSign =
        (character >= '0' && character <= '9') || character == '+' || character == '-';
    switch (param.Kind()) {
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
