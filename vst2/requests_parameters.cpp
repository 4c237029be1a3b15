// Parameter texts, typed values and the vendor extensions about parameters.
#include "vst2/realtime_checks.h"
#include "vst2/text_copy.h"
#include "vst2/vst2_requests.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr VstIntPtr VendorAnswer = 0xBEEF;
constexpr VstInt32 VendorFormatNormalised = 7; // display text for a normalised value
constexpr VstInt32 VendorIsDiscrete = 8;       // does the parameter step?

// The parameter a request names, or null when the index is outside the list or there is nowhere
// to write the answer.
PluginParam* TextTarget(Vst2Plugin& plugin, const Vst2Request& request) {
    return request.ptr != nullptr ? plugin.Core().Param(request.index) : nullptr;
}

PluginParam* ParamAt(Vst2Plugin& plugin, VstIntPtr index) {
    if (index < 0 || index >= plugin.Core().ParamCount()) {
        return nullptr;
    }
    return plugin.Core().Param(static_cast<int>(index));
}

} // namespace

VstIntPtr Vst2Requests::GetParamLabel(Vst2Plugin& plugin, const Vst2Request& request) {
    if (PluginParam* param = TextTarget(plugin, request)) {
        CopyText(static_cast<char*>(request.ptr), param->LabelText(), ParamShortTextBytes);
    }
    return 0;
}

VstIntPtr Vst2Requests::GetParamDisplay(Vst2Plugin& plugin, const Vst2Request& request) {
    if (PluginParam* param = TextTarget(plugin, request)) {
        char text[ParamTextSize];
        param->FormatCurrent(text, sizeof text);
        CopyText(static_cast<char*>(request.ptr), text, ParamShortTextBytes);
    }
    return 0;
}

VstIntPtr Vst2Requests::GetParamName(Vst2Plugin& plugin, const Vst2Request& request) {
    if (PluginParam* param = TextTarget(plugin, request)) {
        CopyText(static_cast<char*>(request.ptr), param->Name(), ParamNameBytes);
    }
    return 0;
}

VstIntPtr Vst2Requests::CanBeAutomated(Vst2Plugin& /*plugin*/, const Vst2Request& /*request*/) {
    return 1;
}

// The text is a plain value in the parameter's own units (or one of its display texts); it is
// clamped to the range but not snapped to the step.
VstIntPtr Vst2Requests::String2Parameter(Vst2Plugin& plugin, const Vst2Request& request) {
    PluginParam* param = plugin.Core().Param(request.index);
    if (param == nullptr) {
        return 0;
    }
    if (request.ptr == nullptr) {
        return 1;
    }
    const char* text = static_cast<const char*>(request.ptr);
    double candidate = 0.0;
    if (param->DisplayTextCount() > 0) {
        std::int32_t value = 0;
        if (!param->ValueForDisplayText(text, value)) {
            return 0;
        }
        candidate = value;
    } else {
        candidate = std::strtod(text, nullptr);
        if (!std::isfinite(candidate)) {
            return 0; // "nan", "inf" or an overflow would poison the parameter
        }
        if (param->NegateDisplay()) {
            candidate = -candidate;
        }
    }
    plugin.Core().SetParamPlain(request.index, candidate);
    return 1;
}

VstIntPtr Vst2Requests::VendorSpecific(Vst2Plugin& plugin, const Vst2Request& request) {
    switch (request.index) {
    case VendorFormatNormalised: {
        if (request.ptr == nullptr) {
            return 0;
        }
        if (const PluginParam* param = ParamAt(plugin, request.value)) {
            char text[ParamTextSize];
            param->FormatValue(static_cast<double>(request.opt), true, true, text, sizeof text);
            CopyText(static_cast<char*>(request.ptr), text, ParamShortTextBytes);
        }
        return VendorAnswer;
    }
    case VendorIsDiscrete: {
        const PluginParam* param = ParamAt(plugin, request.value);
        return param != nullptr && param->Kind() != ParamKindContinuous ? VendorAnswer : 0;
    }
    case RealtimeCountersRequest:
        if (request.ptr == nullptr || !RealtimeChecks::Enabled()) {
            return 0;
        }
        RealtimeChecks::Read(*static_cast<RealtimeCounters*>(request.ptr), request.value != 0);
        return RealtimeCountersAnswer;
    default:
        return 0;
    }
}
