// PluginParam: one automatable parameter. It lives in its own units inside [minimum, maximum] and
// crosses the host and editor boundaries normalised to 0..1 through the curve x^shape.
//
// Threads: the value is an atomic that any thread may read or write without a lock (host
// automation, the editor, state restore and the audio thread all touch it); everything else is
// set up once by the effect's constructor and only read afterwards.
#pragma once

#include "framework/heap_buffer.h"
#include "framework/param_unit.h"

#include <atomic>
#include <cstdint>

enum ParamKind : std::int32_t {
    ParamKindUnset = 0,
    ParamKindBoolean = 1,
    ParamKindInteger = 2,
    ParamKindEnumerated = 3,
    ParamKindContinuous = 4,
};

constexpr int ParamNameSize = 32; // name and label fields, terminator included
constexpr int ParamTextSize = 64; // enough for any display text a caller asks for

// A text standing for one integer value of a parameter.
struct DisplayText {
    std::int32_t value;
    char text[ParamNameSize];
};

class PluginParam {
public:
    PluginParam();
    PluginParam(const PluginParam&) = delete;
    PluginParam& operator=(const PluginParam&) = delete;

    // Set kind 2 before this call for an integer parameter (with step 1.0 and shape 1.0): its
    // default, minimum and maximum are then truncated to whole numbers. The maximum is raised to
    // minimum + step when the range is narrower than one step.
    void InitNumeric(const char* name, double defaultValue, double minimum, double maximum,
                     double step, double shape);
    // Discrete kinds snap to the step. x outside 0..1 is clamped first and the result never leaves
    // [minimum, maximum]; NaN gives the maximum.
    void SetFromNormalised(double x);
    // The value SetFromNormalised(x) would store.
    double PlainFromNormalised(double x) const;
    // v is limited to [minimum, maximum] first (NaN counts as the minimum).
    double ToNormalised(double v) const;
    // Writes at most size - 1 characters and a terminator (size > 0). A display text first; then
    // with a unit, the unit's number alone ("0.32"), the label saying the rest.
    void FormatValue(double v, bool isNormalised, bool useDisplayTexts, char* text, int size) const;
    void FormatCurrent(char* text, int size) const;
    const char* LabelText() const;

    // Stores v limited to [minimum, maximum]; NaN is refused (nothing changes).
    void SetClamped(double v);
    // Stores v as it is (callers that have already limited it).
    void SetValue(double v) { value_.store(v, std::memory_order_release); }
    double Clamp(double v) const;

    void SetKind(ParamKind kind) { kind_ = kind; }
    void SetLabel(const char* label);
    void SetNegateDisplay(bool negate) { negateDisplay_ = negate; }
    // The unit its texts are shown and typed in (not owned; it outlives the parameter). Null, as
    // InitNumeric leaves it: plain numbers at the display precision and the label field.
    void SetUnit(const ParamUnit* unit) { unit_ = unit; }
    const ParamUnit* Unit() const { return unit_; }
    // Answers false when the table cannot grow.
    bool AddDisplayText(std::int32_t value, const char* text);
    // The display text for a value truncated toward zero, or null.
    const char* DisplayTextFor(double v) const;
    // Finds the display text equal to text; answers false when none matches.
    bool ValueForDisplayText(const char* text, std::int32_t& value) const;
    std::int32_t DisplayTextCount() const;

    ParamKind Kind() const { return kind_; }
    double Value() const { return value_.load(std::memory_order_acquire); }
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double Step() const { return step_; }
    double Shape() const { return shape_; }
    double Default() const { return default_; }
    std::int32_t DisplayPrecision() const { return displayPrecision_; }
    const char* Name() const { return name_; }
    const char* Label() const { return label_; }
    bool NegateDisplay() const { return negateDisplay_; }

private:
    double Denormalise(double x) const;

    ParamKind kind_ = ParamKindUnset;
    std::atomic<double> value_{0.0};
    double minimum_ = 0.0;
    double maximum_ = 1.0;
    double step_ = 1.0;
    double shape_ = 1.0;
    double default_ = 0.0;
    std::int32_t displayPrecision_ = 0;
    char name_[ParamNameSize] = {};
    char label_[ParamNameSize] = {};
    bool negateDisplay_ = false;
    const ParamUnit* unit_ = nullptr;
    HeapBuffer displayTexts_{128}; // of DisplayText
};
