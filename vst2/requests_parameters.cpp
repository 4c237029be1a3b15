// Parameter texts, typed values and the vendor extensions about parameters.
#include "framework/param_text.h"
#include "vst2/realtime_counters_request.h"
#include "vst2/text_copy.h"
#include "vst2/vst2_requests.h"

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

// The text is what the display shows (a number in the parameter's unit, with or without the
// unit, or a word it shows); text that does not read, or reads outside the range, is refused.
VstIntPtr Vst2Requests::String2Parameter(Vst2Plugin& plugin, const Vst2Request& request) {
    PluginParam* param = plugin.Core().Param(request.index);
    if (param == nullptr) {
        return 0;
    }
    if (request.ptr == nullptr) {
        return 1;
    }
    double candidate = 0.0;
    if (ReadParamText(*param, static_cast<const char*>(request.ptr), candidate) !=
        TextReading::Accepted) {
        return 0;
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
