// IComponent: one main audio bus each way, activation, and the state, which is exactly the VST2
// program chunk so a saved state moves between the formats.
#include "framework/realtime_checks.h"
#include "vst3/stream_io.h"
#include "vst3/text16.h"
#include "vst3/vst3_plugin.h"

#include <cstring>

namespace vst3 {

namespace {

bool IsMainAudioBus(MediaType type, BusDirection dir, int32 index) {
    return type == kAudio && (dir == kInput || dir == kOutput) && index == 0;
}

} // namespace

// The controller is this object, so there is no separate class to name.
tresult Vst3Plugin::getControllerClassId(TUID /*classId*/) {
    return kResultFalse;
}

tresult Vst3Plugin::setIoMode(IoMode /*mode*/) {
    return kResultOk;
}

int32 Vst3Plugin::getBusCount(MediaType type, BusDirection dir) {
    return type == kAudio && (dir == kInput || dir == kOutput) ? 1 : 0;
}

tresult Vst3Plugin::getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) {
    if (!IsMainAudioBus(type, dir, index)) {
        return kInvalidArgument;
    }
    bus = BusInfo{};
    bus.mediaType = kAudio;
    bus.direction = dir;
    bus.channelCount = channels_;
    ToUtf16(dir == kInput ? "Input" : "Output", bus.name, 128);
    bus.busType = kMain;
    bus.flags = BusInfo::kDefaultActive;
    return kResultOk;
}

tresult Vst3Plugin::getRoutingInfo(RoutingInfo& /*inInfo*/, RoutingInfo& /*outInfo*/) {
    return kNotImplemented;
}

tresult Vst3Plugin::activateBus(MediaType type, BusDirection dir, int32 index, TBool /*state*/) {
    return IsMainAudioBus(type, dir, index) ? kResultOk : kInvalidArgument;
}

tresult Vst3Plugin::setActive(TBool state) {
    InstanceHold hold(effect_->Lock());
    active_ = state != 0;
    if (active_) {
        effect_->ApplyPendingParams(); // the latency read after activation is the current one
    }
    effect_->ActivationChanged(active_);
    if (!active_) {
        effect_->ClearState();
    }
    return kResultOk;
}

tresult Vst3Plugin::getState(IBStream* state) {
    ByteBlock chunk;
    PluginCore::WriteChunkHeader(chunk);
    {
        InstanceHold hold(effect_->Lock());
        if (!effect_->SaveState(chunk)) {
            return kInternalError;
        }
    }
    return WriteAll(state, chunk) ? kResultOk : kInternalError;
}

tresult Vst3Plugin::setState(IBStream* state) {
    if (!ReadToEnd(state, stateBlock_, MaxStateBytes) || stateBlock_.Empty()) {
        return kResultFalse;
    }
    SettleProgramFromAudio(); // the state's values go to the preset that is current
    if (!LoadProgramChunk(stateBlock_)) {
        return kResultFalse;
    }
    PresetsChanged();
    ReportLatencyChange();
    return kResultOk;
}

// The component's state is this object's own: nothing to mirror.
tresult Vst3Plugin::setComponentState(IBStream* /*state*/) {
    return kResultOk;
}

} // namespace vst3
