// What the effect and its editor ask of the host, answered through the component handler, the
// process call's context and the host's application context.
#include "framework/transport_info.h"
#include "vst3/text16.h"
#include "vst3/vst3_plugin.h"

namespace vst3 {

namespace {

// ProcessContext::state bits.
constexpr uint32 kPlaying = 1 << 1;
constexpr uint32 kCycleActive = 1 << 2;
constexpr uint32 kProjectTimeMusicValid = 1 << 9;
constexpr uint32 kTempoValid = 1 << 10;
constexpr uint32 kBarPositionValid = 1 << 11;
constexpr uint32 kCycleValid = 1 << 12;
constexpr uint32 kTimeSigValid = 1 << 13;

} // namespace

void Vst3Plugin::BeginParamEdit(int index) {
    if (handler_ != nullptr) {
        handler_->beginEdit(static_cast<ParamID>(index));
    }
}

void Vst3Plugin::AnnounceParamChange(int index, double normalised) {
    if (handler_ != nullptr) {
        handler_->performEdit(static_cast<ParamID>(index), normalised);
    }
    ReportLatencyChange();
}

// The editor announces a change before the effect has taken it; by the gesture's end it has, so
// a latency it moved is reported here at the latest.
void Vst3Plugin::EndParamEdit(int index) {
    if (handler_ != nullptr) {
        handler_->endEdit(static_cast<ParamID>(index));
    }
    ReportLatencyChange();
}

void Vst3Plugin::AnnounceProgramChange() {
    textsChanged_ = true;
}

// The effect moves its latency under the instance lock, from any thread; the value is read again
// on the UI thread, which alone may ask the host for a restart.
void Vst3Plugin::LatencyChanged(int /*samples*/) {}

bool Vst3Plugin::IsOfflineRender() {
    return processMode_ == kOffline;
}

int Vst3Plugin::HostSamplePosition() {
    return context_ != nullptr ? static_cast<int>(context_->projectTimeSamples) : 0;
}

double Vst3Plugin::HostTempo() {
    return context_ != nullptr && (context_->state & kTempoValid) != 0 ? context_->tempo : 0.0;
}

void Vst3Plugin::HostTimeSignature(int& numerator, int& denominator) {
    if (context_ != nullptr && (context_->state & kTimeSigValid) != 0) {
        numerator = context_->timeSigNumerator;
        denominator = context_->timeSigDenominator;
    }
}

void Vst3Plugin::HostTimeInfo(TransportInfo& info) {
    if (context_ == nullptr) {
        return;
    }
    const uint32 state = context_->state;
    info.samplePos = static_cast<double>(context_->projectTimeSamples);
    info.playing = (state & kPlaying) != 0;
    info.cycleActive = (state & kCycleActive) != 0;
    if ((state & kTempoValid) != 0) {
        info.tempo = context_->tempo;
    }
    if ((state & kProjectTimeMusicValid) != 0) {
        info.ppqPos = context_->projectTimeMusic;
    }
    if ((state & kBarPositionValid) != 0) {
        info.lastBar = context_->barPositionMusic;
    }
    if ((state & kCycleValid) != 0) {
        info.cycleStart = context_->cycleStartMusic;
        info.cycleEnd = context_->cycleEndMusic;
    }
    HostTimeSignature(info.numerator, info.denominator);
}

int Vst3Plugin::IdentifyHost(std::int32_t& version) {
    version = 0;
    return hostType_;
}

void Vst3Plugin::IdentifyHostApplication(FUnknown* context) {
    void* found = nullptr;
    if (context == nullptr ||
        context->queryInterface(IHostApplication::iid.bytes, &found) != kResultOk ||
        found == nullptr) {
        return;
    }
    auto* application = static_cast<IHostApplication*>(found);
    String128 name{};
    if (application->getName(name) == kResultOk) {
        char text[128 * 3];
        ToUtf8(name, 128, text, sizeof text);
        hostType_ = LookUpHost(text);
    }
    application->release();
}

} // namespace vst3
