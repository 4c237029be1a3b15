// The parameter prompt a control opens on a right press: a popup menu of the display texts for
// the discrete kinds that have them, a text entry holding the current value for the others.
// UI thread.
#include "editor/control.h"
#include "editor/graphics_context.h"
#include "framework/param_text.h"
#include "framework/plugin_core.h"
#include "framework/plugin_param.h"

#include <cmath>
#include <cstdio>
#include <cstring>

void GraphicsContext::PromptForParam(Control* control, PluginParam* param, const Bounds* rect) {
    if (control == nullptr || param == nullptr || rect == nullptr) {
        return;
    }
    const bool menu = param->Kind() == ParamKindEnumerated ||
                      (param->Kind() == ParamKindBoolean && param->DisplayTextCount() > 0);
    if (menu) {
        PromptWithMenu(control, param, *rect);
    } else {
        PromptWithTextEntry(control, param, *rect);
    }
}

// With a unit, the entry starts from the display's text ("0.32"), which reads back unchanged.
void GraphicsContext::PromptWithTextEntry(Control* control, PluginParam* param,
                                          const Bounds& rect) {
    char text[ParamTextSize];
    if (param->Unit() != nullptr) {
        param->FormatCurrent(text, sizeof text);
        BeginTextEntry(control, control->Style(), rect, text, param);
        return;
    }
    double value = param->Value();
    if (param->NegateDisplay()) {
        value = -value;
    }
    if (param->DisplayPrecision() != 0) {
        std::snprintf(text, sizeof text, "%.*f", param->DisplayPrecision(), value);
    } else {
        // Limited before the conversion, so no value can overflow the integer.
        const double whole = std::fmin(std::fmax(std::trunc(value), -2147483647.0), 2147483647.0);
        std::snprintf(text, sizeof text, "%d", std::isnan(whole) ? 0 : static_cast<int>(whole));
    }
    BeginTextEntry(control, control->Style(), rect, text, param);
}

// One entry per display text, in value order 0, 1, 2, ...; the current one is checked. The
// chosen index is a plain value.
void GraphicsContext::PromptWithMenu(Control* control, PluginParam* param, const Bounds& rect) {
    char current[ParamTextSize];
    param->FormatCurrent(current, sizeof current);
    MenuList list;
    for (int value = 0; value < param->DisplayTextCount(); ++value) {
        const char* text = param->DisplayTextFor(value);
        if (text == nullptr) {
            text = "";
        }
        list.Add(text, std::strcmp(text, current) == 0 ? MenuChecked : 0);
    }
    const MenuList* chosen = RunPopupMenu(list, rect);
    if (chosen != nullptr && chosen->chosenIndex >= 0) {
        const double plain = param->Clamp(static_cast<double>(chosen->chosenIndex));
        ApplyEditedValue(control, param->ToNormalised(plain));
    }
}

void GraphicsContext::ApplyEditedValue(Control* control, double normalised) {
    EndOpenGesture();
    if (normalised == control->Value()) {
        return;
    }
    // With no gesture open, the value goes to the host as a gesture of its own.
    control->TakeEditedValue(normalised);
}

bool GraphicsContext::ApplyTypedText(Control* control, PluginParam* param, const char* text,
                                     char* why, int whySize) {
    double plain = 0.0;
    const TextReading reading = ReadParamText(*param, text, plain);
    if (reading != TextReading::Accepted) {
        RefusalText(*param, reading, why, whySize);
        return false;
    }
    ApplyEditedValue(control, param->ToNormalised(plain));
    return true;
}
