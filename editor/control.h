// Control: a visible, clickable part of the editor. It has an area, an optional binding to one
// plug-in parameter, a normalised value in 0..1 and the flags that tell the graphics context when
// it must be repainted. A gesture changes the value, clamps it, marks the control dirty and sends
// the value to the plug-in base.
//
// Threads: TakePlugValue and TakeAuxPlugValue run on whichever host thread sets a parameter (with
// no lock held, the audio thread included); everything else runs on the window thread. The values
// and the paint flags are atomics, so the window thread never sees a torn value or loses a change.
#pragma once

#include "editor/blend.h"
#include "editor/bounds.h"
#include "editor/key_code.h"
#include "editor/mouse_keys.h"
#include "editor/paint_flags.h"
#include "editor/text_style.h"
#include "framework/pointer_list.h"
#include "framework/text_buffer.h"

#include <atomic>
#include <cstdint>

class GraphicsContext;
class PluginCore;

class Control {
public:
    Control(PluginCore* plugin, const Bounds& area, int paramIndex, const Blend& blend);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // --- Virtual operations, in slot order.
    // The right button opens the parameter prompt (when enabled); nothing else.
    virtual void Press(int x, int y, const MouseKeys& keys);
    // Released away from the control: the linked displays are let go, as when the pointer leaves.
    virtual void Release(int x, int y, const MouseKeys& keys);
    virtual void Drag(int /*x*/, int /*y*/, int /*dx*/, int /*dy*/, const MouseKeys& /*keys*/) {}
    // Back to the default value, once one is known.
    virtual void DoubleClick(int x, int y, const MouseKeys& keys);
    virtual void Wheel(int /*x*/, int /*y*/, const MouseKeys& /*keys*/, int /*steps*/) {}
    virtual bool Key(int /*x*/, int /*y*/, KeyCode /*key*/) { return false; }
    // The linked displays show the value and the name; HoverEnd lets them go.
    virtual void Hover(int x, int y, const MouseKeys& keys);
    virtual void HoverEnd();
    // A display told that it shows source's value (ShowInDisplays), so it may follow changes.
    virtual void ShowValueOf(const Control& /*source*/) {}
    virtual bool Paint(GraphicsContext& graphics) = 0;
    // A value from the plug-in (any host thread). The first one also becomes the default.
    virtual void TakePlugValue(double value);
    // A value the user typed or chose in a prompt; sent to the plug-in.
    virtual void TakeEditedValue(double value);
    virtual void TakeEditedText(const char* /*text*/) {}
    virtual void SetHidden(bool hidden);
    virtual void SetGreyed(bool greyed);
    virtual bool HitTest(int x, int y);
    // Clamps the value, marks the control dirty and, with send, gives the value to the plug-in
    // and shows it in the linked displays.
    virtual void Touch(bool send);
    // dirty := repaint pending; repaint pending := false.
    virtual void SettlePaint();
    virtual bool NeedsPaint();
    virtual void ReservedHook() {}
    // A value from the plug-in for the auxiliary parameter at position (any host thread).
    virtual void TakeAuxPlugValue(int position, double value);
    // Lays the control out at percent (EditorScale) from the areas and text size it had at 100
    // percent; image controls take their strips at that scale from graphics. UI thread.
    virtual void ScaleTo(GraphicsContext& graphics, int percent);

    // --- Auxiliary parameters: more parameters bound to the same control.
    // Binds one more parameter; false when the list cannot grow.
    bool AddAuxParam(int paramIndex);
    int AuxParamCount() const { return auxParams_.Count(); }
    int AuxParamIndex(int position) const;
    double AuxValue(int position) const;

    // --- State the graphics context and the window read.
    int ParamIndex() const { return paramIndex_; }
    double Value() const { return value_.load(std::memory_order_acquire); }
    // The parameter's display text for the control's value, with its unit; false without a
    // parameter. UI thread.
    bool ValueText(char* text, int size) const;
    double DefaultValue() const { return defaultValue_.load(std::memory_order_acquire); }
    const Bounds& Area() const { return area_; }
    const Bounds& TargetArea() const { return targetArea_; }
    bool IsHidden() const { return hidden_; }
    bool IsGreyed() const { return greyed_; }
    bool RepaintPending() const { return paintFlags_.RepaintPending(); }
    bool DoubleClickActsAsPress() const { return doubleClickActsAsPress_; }
    bool HoversWhileGreyed() const { return hoverWhileGreyed_; }
    const Blend& BlendSetting() const { return blend_; }
    TextStyle& Style() { return textStyle_; }
    int TextEntryLength() const { return textEntryLength_; }
    void SetTextEntryLength(int length) { textEntryLength_ = length; }
    const char* Tooltip() const { return tooltip_.Text(); }
    void SetTooltip(const char* text) { tooltip_.Set(text); }
    void SetPromptDisabled(bool disabled) { promptDisabled_ = disabled; }
    // A right press opens the parameter prompt instead of starting a gesture.
    bool PromptsOnRightPress() const { return !promptDisabled_ && paramIndex_ >= 0; }
    // Links to the controls that show this one's parameter value with its unit and its name
    // (not owned; either may be null). They take the texts through TakeEditedText.
    void LinkDisplays(Control* valueDisplay, Control* nameDisplay);
    void SetDoubleClickActsAsPress(bool acts) { doubleClickActsAsPress_ = acts; }
    void SetHoverWhileGreyed(bool hover) { hoverWhileGreyed_ = hover; }
    // Values outside [lower, upper] are clamped by Touch.
    void SetClamp(double lower, double upper);
    // After a prompt: painted on the next two repaints.
    void MarkRepaintPending() { paintFlags_.RaiseRepaintPending(); }

protected:
    PluginCore* Plugin() const { return plugin_; }
    // UI thread: a new value from a gesture, clamped by the next Touch.
    void SetValue(double value) { value_.store(value, std::memory_order_release); }
    // The value limited to the clamps; a value that is not a number becomes the upper clamp, as
    // the parameter itself turns NaN into its maximum.
    double Clamped(double value) const;
    // The 1-based frame of n that the value shows: trunc((n - 1) * value + rounding) + 1, limited
    // to 1..n.
    int FrameForValue(int frameCount, double rounding) const;
    int ScalePercent() const { return scalePercent_; }

    Bounds area_;
    Bounds targetArea_;

private:
    struct AuxParam {
        std::atomic<double> value{0.0};
        int paramIndex = -1;
    };

    void PromptUserEdit();
    // UI thread: the value's text with its unit and the parameter's name, to the linked displays.
    void ShowInDisplays();

    int textEntryLength_ = 7;
    TextStyle textStyle_;
    PluginCore* plugin_;
    int paramIndex_;
    PointerList<AuxParam> auxParams_;
    std::atomic<double> value_{0.0};
    std::atomic<double> defaultValue_{-1.0}; // below 0: not known yet
    double lowerClamp_ = 0.0;
    double upperClamp_ = 1.0;
    PaintFlags paintFlags_;
    bool hidden_ = false;
    bool greyed_ = false;
    bool promptDisabled_ = true;
    bool doubleClickActsAsPress_ = false;
    bool hoverWhileGreyed_ = false;
    Blend blend_;
    Control* valueDisplay_ = nullptr;
    Control* nameDisplay_ = nullptr;
    TextBuffer tooltip_;
    int scalePercent_ = 100;
    Bounds baseArea_; // the areas at 100 percent, kept from the first change of scale
    Bounds baseTargetArea_;
    int baseTextSize_ = 0;
};
