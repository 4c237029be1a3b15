#include "framework/plugin_param.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

void CopyName(char (&field)[ParamNameSize], const char* text) {
    std::snprintf(field, sizeof field, "%s", text != nullptr ? text : "");
}

// Whether v truncated toward zero is a representable int32.
bool FitsInt32(double v) {
    return v > -2147483649.0 && v < 2147483648.0;
}

} // namespace

PluginParam::PluginParam() = default;

void PluginParam::InitNumeric(const char* name, double defaultValue, double minimum, double maximum,
                              double step, double shape) {
    if (kind_ == ParamKindUnset) {
        kind_ = ParamKindContinuous;
    }
    if (kind_ == ParamKindInteger) {
        defaultValue = std::trunc(defaultValue);
        minimum = std::trunc(minimum);
        maximum = std::trunc(maximum);
    }
    CopyName(name_, name);
    label_[0] = '\0';
    unit_ = nullptr;
    minimum_ = minimum;
    SetValue(defaultValue);
    default_ = defaultValue;
    maximum_ = minimum + step > maximum ? minimum + step : maximum;
    step_ = step;
    displayPrecision_ = 0;
    for (double s = step; std::floor(s) != s && displayPrecision_ < 6; s *= 10.0) {
        ++displayPrecision_;
    }
    if (shape != 0.0) {
        shape_ = shape;
    }
}

double PluginParam::Denormalise(double x) const {
    return std::pow(x, shape_) * (maximum_ - minimum_) + minimum_;
}

void PluginParam::SetFromNormalised(double x) {
    SetValue(PlainFromNormalised(x));
}

double PluginParam::PlainFromNormalised(double x) const {
    // Hosts and editors may send values outside 0..1; NaN passes on and ends at the maximum.
    if (x < 0.0) {
        x = 0.0;
    } else if (x > 1.0) {
        x = 1.0;
    }
    double v = Denormalise(x);
    if (kind_ != ParamKindContinuous && step_ > 0.0) {
        v = std::floor(v / step_ + 0.5) * step_;
    }
    if (!(v < maximum_)) {
        v = maximum_;
    } else if (v < minimum_) {
        v = minimum_; // snapping may round below a minimum that is not on the step grid
    }
    return v;
}

double PluginParam::ToNormalised(double v) const {
    const double range = maximum_ - minimum_;
    if (!(range > 0.0) || !(v > minimum_)) {
        return 0.0;
    }
    if (v > maximum_) {
        v = maximum_;
    }
    return std::pow((v - minimum_) / range, 1.0 / shape_);
}

void PluginParam::FormatValue(double v, bool isNormalised, bool useDisplayTexts, char* text,
                              int size) const {
    if (text == nullptr || size <= 0) {
        return;
    }
    if (isNormalised) {
        v = Denormalise(v);
    }
    if (useDisplayTexts) {
        const char* shown = DisplayTextFor(v);
        if (shown != nullptr && shown[0] != '\0') {
            std::snprintf(text, static_cast<std::size_t>(size), "%s", shown);
            return;
        }
    }
    if (unit_ != nullptr) {
        unit_->Format(v, text, size);
        return;
    }
    if (negateDisplay_) {
        v = -v;
    }
    const auto room = static_cast<std::size_t>(size);
    if (displayPrecision_ > 0) {
        std::snprintf(text, room, "%.*f", displayPrecision_, v);
    } else if (FitsInt32(v)) {
        std::snprintf(text, room, "%d", static_cast<int>(v));
    } else {
        std::snprintf(text, room, "%.0f", std::trunc(v)); // "nan", "inf" or a huge whole number
    }
}

void PluginParam::FormatCurrent(char* text, int size) const {
    FormatValue(Value(), false, true, text, size);
}

const char* PluginParam::LabelText() const {
    const char* shown = DisplayTextFor(Value());
    if (shown != nullptr && shown[0] != '\0') {
        return ""; // the text already says it all
    }
    return unit_ != nullptr ? unit_->Label() : label_;
}

double PluginParam::Clamp(double v) const {
    if (v < minimum_) {
        return minimum_;
    }
    if (v > maximum_) {
        return maximum_;
    }
    return v;
}

void PluginParam::SetClamped(double v) {
    if (!std::isnan(v)) {
        SetValue(Clamp(v));
    }
}

void PluginParam::SetLabel(const char* label) {
    CopyName(label_, label);
}

std::int32_t PluginParam::DisplayTextCount() const {
    return displayTexts_.Used() / static_cast<std::int32_t>(sizeof(DisplayText));
}

bool PluginParam::AddDisplayText(std::int32_t value, const char* text) {
    const std::int32_t count = DisplayTextCount();
    const auto entrySize = static_cast<std::int32_t>(sizeof(DisplayText));
    if (count >= INT32_MAX / entrySize - 1) {
        return false;
    }
    displayTexts_.Resize((count + 1) * entrySize, false);
    if (DisplayTextCount() != count + 1) {
        return false;
    }
    DisplayText& entry = displayTexts_.As<DisplayText>()[count];
    entry.value = value;
    CopyName(entry.text, text);
    return true;
}

const char* PluginParam::DisplayTextFor(double v) const {
    if (!FitsInt32(v)) {
        return nullptr;
    }
    const auto wanted = static_cast<std::int32_t>(v);
    const DisplayText* entries = displayTexts_.As<const DisplayText>();
    for (std::int32_t i = 0; i < DisplayTextCount(); ++i) {
        if (entries[i].value == wanted) {
            return entries[i].text;
        }
    }
    return nullptr;
}

bool PluginParam::ValueForDisplayText(const char* text, std::int32_t& value) const {
    if (text == nullptr) {
        return false;
    }
    const DisplayText* entries = displayTexts_.As<const DisplayText>();
    for (std::int32_t i = 0; i < DisplayTextCount(); ++i) {
        if (std::strcmp(entries[i].text, text) == 0) {
            value = entries[i].value;
            return true;
        }
    }
    return false;
}
