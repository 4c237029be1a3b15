#include "editor/control.h"

#include "editor/editor_scale.h"
#include "editor/graphics_context.h"
#include "framework/param_text.h"
#include "framework/plugin_core.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int UnitEntryWidth = 110; // "range 0.010 to 10.0 s" in the entry's 12-pixel font

} // namespace

Control::Control(PluginCore* plugin, const Bounds& area, int paramIndex, const Blend& blend)
    : area_(area), targetArea_(area), plugin_(plugin), paramIndex_(paramIndex), blend_(blend) {}

Control::~Control() = default;

void Control::Press(int /*x*/, int /*y*/, const MouseKeys& keys) {
    if (keys.right) {
        PromptUserEdit();
    }
}

void Control::Release(int x, int y, const MouseKeys& /*keys*/) {
    if (!HitTest(x, y)) {
        HoverEnd();
    }
}

void Control::Hover(int /*x*/, int /*y*/, const MouseKeys& /*keys*/) {
    ShowInDisplays();
}

void Control::HoverEnd() {
    for (Control* display : {valueDisplay_, nameDisplay_}) {
        if (display != nullptr) {
            display->HoverEnd();
        }
    }
}

void Control::LinkDisplays(Control* valueDisplay, Control* nameDisplay) {
    valueDisplay_ = valueDisplay;
    nameDisplay_ = nameDisplay;
}

// The text the parameter's display and label give for the control's own value, so the readout
// needs nothing the host thread writes.
void Control::ShowInDisplays() {
    const PluginParam* param = plugin_ != nullptr ? plugin_->Param(paramIndex_) : nullptr;
    if (param == nullptr) {
        return;
    }
    if (valueDisplay_ != nullptr) {
        char text[ParamTextSize];
        ValueText(text, sizeof text);
        valueDisplay_->TakeEditedText(text);
        valueDisplay_->ShowValueOf(*this);
    }
    if (nameDisplay_ != nullptr) {
        nameDisplay_->TakeEditedText(param->Name());
    }
}

bool Control::ValueText(char* text, int size) const {
    const PluginParam* param = plugin_ != nullptr ? plugin_->Param(paramIndex_) : nullptr;
    if (param == nullptr || size < 1) {
        return false;
    }
    FormatWithLabel(*param, Value(), true, text, size);
    return true;
}

void Control::DoubleClick(int /*x*/, int /*y*/, const MouseKeys& /*keys*/) {
    const double defaultValue = DefaultValue();
    if (defaultValue >= 0.0) {
        SetValue(defaultValue);
        Touch(true);
    }
}

// The first value only records the default; a later equal value changes nothing. The value is
// stored once, already clamped, so the window thread never reads one outside the clamps. The
// repaint-pending flag is raised before Touch raises the dirty flag: a settle on the window
// thread between the two then still leaves the control dirty.
void Control::TakePlugValue(double value) {
    if (DefaultValue() < 0.0) {
        defaultValue_.store(value, std::memory_order_release);
        SetValue(Clamped(value));
    }
    const double current = Value();
    if (value != current || std::isnan(value) || std::isnan(current)) {
        SetValue(Clamped(value));
        paintFlags_.RaiseRepaintPending();
        Touch(false);
    }
}

void Control::TakeEditedValue(double value) {
    if (value != Value()) {
        SetValue(value);
        Touch(true);
        paintFlags_.RaiseRepaintPending();
    }
}

void Control::TakeAuxPlugValue(int position, double value) {
    AuxParam* aux = auxParams_.Get(position);
    if (aux == nullptr) {
        return;
    }
    const double current = aux->value.load(std::memory_order_acquire);
    if (value != current || std::isnan(value) || std::isnan(current)) {
        aux->value.store(value, std::memory_order_release);
        paintFlags_.RaiseRepaintPending();
        Touch(false);
    }
}

void Control::SetHidden(bool hidden) {
    hidden_ = hidden;
    paintFlags_.RaiseRepaintPending();
    Touch(false);
}

void Control::SetGreyed(bool greyed) {
    greyed_ = greyed;
    blend_.weight = greyed ? 0.25f : 1.0f;
    Touch(false);
}

bool Control::HitTest(int x, int y) {
    return targetArea_.Contains(x, y);
}

// The value is rewritten only when the clamps change it, and only if it is still the one read: a
// Touch on the window thread (the window marks every control when it opens, outside the instance
// lock) never puts back a value the host replaced meanwhile.
void Control::Touch(bool send) {
    double current = Value();
    const double clamped = Clamped(current);
    if (clamped != current) { // also when the value is not a number
        value_.compare_exchange_strong(current, clamped, std::memory_order_acq_rel);
    }
    paintFlags_.RaiseDirty();
    if (send && plugin_ != nullptr && paramIndex_ >= 0) {
        if (GraphicsContext* graphics = EditorOf(*plugin_)) {
            graphics->SendParamValue(paramIndex_, Value());
        } else {
            plugin_->SetParamFromEditor(paramIndex_, Value());
        }
        ShowInDisplays();
    }
}

void Control::SettlePaint() {
    paintFlags_.Settle();
}

bool Control::NeedsPaint() {
    return paintFlags_.Dirty();
}

void Control::ScaleTo(GraphicsContext& /*graphics*/, int percent) {
    if (scalePercent_ == EditorScale::Base) {
        baseArea_ = area_;
        baseTargetArea_ = targetArea_;
        baseTextSize_ = textStyle_.size;
    }
    scalePercent_ = percent;
    area_ = EditorScale::Rect(baseArea_, percent);
    targetArea_ = EditorScale::Rect(baseTargetArea_, percent);
    // The control's text and its entry at the scale too; the font is looked up again.
    textStyle_.size = EditorScale::Length(baseTextSize_, percent);
    textStyle_.cachedFont = nullptr;
}

bool Control::AddAuxParam(int paramIndex) {
    auto* aux = new AuxParam();
    aux->paramIndex = paramIndex;
    return auxParams_.Append(aux);
}

int Control::AuxParamIndex(int position) const {
    const AuxParam* aux = auxParams_.Get(position);
    return aux != nullptr ? aux->paramIndex : -1;
}

double Control::AuxValue(int position) const {
    const AuxParam* aux = auxParams_.Get(position);
    return aux != nullptr ? aux->value.load(std::memory_order_acquire) : 0.0;
}

void Control::SetClamp(double lower, double upper) {
    lowerClamp_ = lower;
    upperClamp_ = upper;
}

double Control::Clamped(double value) const {
    if (std::isnan(value)) {
        return upperClamp_;
    }
    if (value < lowerClamp_) {
        return lowerClamp_;
    }
    if (value > upperClamp_) {
        return upperClamp_;
    }
    return value;
}

int Control::FrameForValue(int frameCount, double rounding) const {
    if (frameCount <= 1) {
        return 1;
    }
    // Limited before the conversion, so no value can overflow the integer.
    const double position = std::fmin(std::fmax(Value(), 0.0), 1.0);
    const int frame = static_cast<int>((frameCount - 1) * position + rounding) + 1;
    return frame < 1 ? 1 : (frame > frameCount ? frameCount : frame);
}

// Right button: a popup menu or a text entry for the bound parameter, placed on the control.
void Control::PromptUserEdit() {
    if (plugin_ == nullptr || paramIndex_ < 0 || promptDisabled_) {
        return;
    }
    PluginParam* param = plugin_->Param(paramIndex_);
    GraphicsContext* graphics = EditorOf(*plugin_);
    if (param == nullptr || graphics == nullptr) {
        return;
    }
    Bounds rect = area_;
    if (param->DisplayTextCount() == 0) {
        // Text in a unit, and the reason it is refused, need a wider box than a bare number. The
        // box grows with the editor's scale, as its text does.
        const int halfWidth =
            EditorScale::Length(param->Unit() != nullptr ? UnitEntryWidth / 2 : 20, scalePercent_);
        const int halfHeight = EditorScale::Length(8, scalePercent_);
        const int cx = static_cast<int>(static_cast<float>(area_.left + area_.right) * 0.5f);
        const int cy = static_cast<int>(static_cast<float>(area_.top + area_.bottom) * 0.5f);
        rect = Bounds{cx - halfWidth, cy - halfHeight, cx + halfWidth, cy + halfHeight};
        // Kept inside the editor: the switch sits close to its left edge.
        const int shift = rect.left < 0 ? -rect.left : std::min(0, graphics->Width() - rect.right);
        rect.left += shift;
        rect.right += shift;
    }
    graphics->PromptForParam(this, param, &rect);
    paintFlags_.RaiseRepaintPending();
}
