// IEditController: the effect's parameters under ids 0..n-1 with the VST2 names, ranges, defaults,
// steps and texts, plus the program-change parameter that picks a factory preset.
#include "framework/param_text.h"
#include "framework/realtime_checks.h"
#include "vst3/text16.h"
#include "vst3/vst3_plugin.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vst3 {

namespace {

constexpr int TextUnits = 128;

double Clamp01(double x) {
    return std::isnan(x) ? 0.0 : std::clamp(x, 0.0, 1.0);
}

// Discrete parameters have one step fewer than values; continuous ones none.
int32 StepCount(const PluginParam& param) {
    if (param.Kind() == ParamKindContinuous || param.Kind() == ParamKindUnset) {
        return 0;
    }
    if (param.Kind() == ParamKindBoolean) {
        return 1;
    }
    const double steps = (param.Maximum() - param.Minimum()) / std::max(param.Step(), 1e-9);
    return static_cast<int32>(std::lround(steps));
}

} // namespace

const PluginParam* Vst3Plugin::ParamFor(ParamID id) const {
    return id < static_cast<ParamID>(effect_->ParamCount()) ? effect_->Param(static_cast<int>(id))
                                                            : nullptr;
}

int32 Vst3Plugin::getParameterCount() {
    return effect_->ParamCount() + 1;
}

tresult Vst3Plugin::getParameterInfo(int32 paramIndex, ParameterInfo& info) {
    if (paramIndex < 0 || paramIndex > effect_->ParamCount()) {
        return kInvalidArgument;
    }
    info = ParameterInfo{};
    info.unitId = kRootUnitId;
    if (paramIndex == effect_->ParamCount()) {
        info.id = ProgramParamId;
        ToUtf16("Program", info.title, TextUnits);
        ToUtf16("Program", info.shortTitle, TextUnits);
        info.stepCount = std::max(effect_->PresetCount() - 1, 0);
        info.flags =
            ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsProgramChange;
        return kResultOk;
    }
    InstanceHold hold(effect_->Lock());
    const PluginParam& param = *effect_->Param(paramIndex);
    info.id = static_cast<ParamID>(paramIndex);
    ToUtf16(param.Name(), info.title, TextUnits);
    ToUtf16(param.Name(), info.shortTitle, TextUnits);
    ToUtf16(param.LabelText(), info.units, TextUnits);
    info.stepCount = StepCount(param);
    info.defaultNormalizedValue = param.ToNormalised(param.Default());
    info.flags = ParameterInfo::kCanAutomate;
    if (param.DisplayTextCount() > 0) {
        info.flags |= ParameterInfo::kIsList;
    }
    return kResultOk;
}

tresult Vst3Plugin::getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                          String128 string) {
    if (string == nullptr) {
        return kInvalidArgument;
    }
    const double x = Clamp01(valueNormalized);
    if (id == ProgramParamId) {
        const int last = std::max(effect_->PresetCount() - 1, 0);
        ToUtf16(effect_->PresetName(static_cast<int>(std::lround(x * last))), string, TextUnits);
        return kResultOk;
    }
    InstanceHold hold(effect_->Lock());
    const PluginParam* param = ParamFor(id);
    if (param == nullptr) {
        return kInvalidArgument;
    }
    char text[ParamTextSize];
    param->FormatValue(x, true, true, text, sizeof text);
    ToUtf16(text, string, TextUnits);
    return kResultOk;
}

// The text is what the display shows, with or without the unit (as the other formats read it);
// unreadable text and values outside the range are refused.
tresult Vst3Plugin::getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) {
    char text[ParamTextSize * 3];
    ToUtf8(string, TextUnits, text, sizeof text);
    InstanceHold hold(effect_->Lock());
    const PluginParam* param = ParamFor(id);
    if (param == nullptr || string == nullptr) {
        return kInvalidArgument;
    }
    double plain = 0.0;
    if (ReadParamText(*param, text, plain) != TextReading::Accepted) {
        return kResultFalse;
    }
    valueNormalized = param->ToNormalised(plain);
    return kResultOk;
}

ParamValue Vst3Plugin::normalizedParamToPlain(ParamID id, ParamValue valueNormalized) {
    const double x = Clamp01(valueNormalized);
    if (id == ProgramParamId) {
        return std::round(x * std::max(effect_->PresetCount() - 1, 0));
    }
    InstanceHold hold(effect_->Lock());
    const PluginParam* param = ParamFor(id);
    return param != nullptr ? param->PlainFromNormalised(x) : 0.0;
}

ParamValue Vst3Plugin::plainParamToNormalized(ParamID id, ParamValue plainValue) {
    if (id == ProgramParamId) {
        const int last = std::max(effect_->PresetCount() - 1, 1);
        return Clamp01(plainValue / last);
    }
    InstanceHold hold(effect_->Lock());
    const PluginParam* param = ParamFor(id);
    return param != nullptr ? param->ToNormalised(plainValue) : 0.0;
}

ParamValue Vst3Plugin::getParamNormalized(ParamID id) {
    if (id == ProgramParamId) {
        SettleProgramFromAudio();
    }
    InstanceHold hold(effect_->Lock());
    if (id == ProgramParamId) {
        const int last = std::max(effect_->PresetCount() - 1, 1);
        return static_cast<double>(effect_->CurrentPreset()) / last;
    }
    const PluginParam* param = ParamFor(id);
    return param != nullptr ? param->ToNormalised(param->Value()) : 0.0;
}

// Under the instance lock: the value, the editor's controls and the effect's reaction.
void Vst3Plugin::SetNormalised(int index, double normalised) {
    effect_->SetParamFromHost(index, Clamp01(normalised));
}

int Vst3Plugin::ProgramFor(ParamValue normalised) const {
    const int last = std::max(effect_->PresetCount() - 1, 0);
    return static_cast<int>(std::lround(Clamp01(normalised) * last));
}

// A program the audio thread switched to is settled first, so the edits kept for the preset left
// are that preset's and not the new one's values.
tresult Vst3Plugin::setParamNormalized(ParamID id, ParamValue value) {
    if (id == ProgramParamId) {
        SettleProgramFromAudio();
        const int preset = ProgramFor(value);
        {
            InstanceHold hold(effect_->Lock());
            if (preset != effect_->CurrentPreset() && !effect_->HasStateChunks()) {
                effect_->ModifyCurrentPreset();
            }
            effect_->LoadPreset(preset);
        }
        PresetsChanged();
        ReportLatencyChange();
        return kResultOk;
    }
    if (ParamFor(id) == nullptr) {
        return kInvalidArgument;
    }
    {
        InstanceHold hold(effect_->Lock());
        SetNormalised(static_cast<int>(id), value);
    }
    ReportLatencyChange();
    return kResultOk;
}

} // namespace vst3
