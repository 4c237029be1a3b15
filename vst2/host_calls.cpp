// The plug-in's calls to its host: parameter gestures and changes, transport, MIDI output and
// the process level. Every call passes the effect record first.
#include "vst2/vst2_plugin.h"

#include <cmath>

namespace {

constexpr VstIntPtr TransportMask =
    kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstCyclePosValid | kVstTimeSigValid;

} // namespace

VstIntPtr Vst2Plugin::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
    return host_ != nullptr ? host_(&effect_, opcode, index, value, ptr, opt) : 0;
}

void Vst2Plugin::BeginParamEdit(int index) {
    CallHost(audioMasterBeginEdit, index);
}

void Vst2Plugin::AnnounceParamChange(int index, double normalised) {
    CallHost(audioMasterAutomate, index, 0, nullptr, static_cast<float>(normalised));
}

void Vst2Plugin::EndParamEdit(int index) {
    CallHost(audioMasterEndEdit, index);
}

void Vst2Plugin::AnnounceProgramChange() {
    CallHost(audioMasterUpdateDisplay);
}

bool Vst2Plugin::IsOfflineRender() {
    return CallHost(audioMasterGetCurrentProcessLevel) == kVstProcessLevelOffline;
}

int Vst2Plugin::HostSamplePosition() {
    const auto* time = reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, 0));
    if (time == nullptr || !(time->samplePos >= 0.0)) {
        return 0;
    }
    // Positions beyond what an int holds are not representable; they saturate.
    const double rounded = std::trunc(time->samplePos + 0.5);
    return rounded >= 2147483647.0 ? 2147483647 : static_cast<int>(rounded);
}

double Vst2Plugin::HostTempo() {
    if (host_ == nullptr) {
        return 0.0;
    }
    const auto* time =
        reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, kVstTempoValid));
    if (time == nullptr || (time->flags & kVstTempoValid) == 0 || !(time->tempo >= 0.0)) {
        return 0.0;
    }
    return time->tempo;
}

void Vst2Plugin::HostTimeSignature(int& numerator, int& denominator) {
    numerator = 0;
    denominator = 0;
    const auto* time =
        reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, kVstTimeSigValid));
    if (time == nullptr || (time->flags & kVstTimeSigValid) == 0) {
        return;
    }
    if (time->timeSigNumerator >= 0 && time->timeSigDenominator >= 0) {
        numerator = time->timeSigNumerator;
        denominator = time->timeSigDenominator;
    }
}

// Only what the host marks valid is copied; the caller's values stay for the rest.
void Vst2Plugin::HostTimeInfo(TransportInfo& info) {
    const auto* time =
        reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, TransportMask));
    if (time == nullptr || (time->flags & TransportMask) == 0) {
        return;
    }
    info.samplePos = time->samplePos;
    if ((time->flags & kVstPpqPosValid) != 0 && time->ppqPos >= 0.0) {
        info.ppqPos = time->ppqPos;
    }
    if ((time->flags & kVstTempoValid) != 0 && time->tempo > 0.0) {
        info.tempo = time->tempo;
    }
    if ((time->flags & kVstBarsValid) != 0 && time->barStartPos >= 0.0) {
        info.lastBar = time->barStartPos;
    }
    if ((time->flags & kVstCyclePosValid) != 0 && time->cycleStartPos >= 0.0 &&
        time->cycleEndPos >= 0.0) {
        info.cycleStart = time->cycleStartPos;
        info.cycleEnd = time->cycleEndPos;
    }
    if ((time->flags & kVstTimeSigValid) != 0 && time->timeSigNumerator > 0 &&
        time->timeSigDenominator > 0) {
        info.numerator = time->timeSigNumerator;
        info.denominator = time->timeSigDenominator;
    }
    info.playing = (time->flags & kVstTransportPlaying) != 0;
    info.cycleActive = (time->flags & kVstTransportCycleActive) != 0;
}

// Built on the stack: the audio thread may send MIDI and must not allocate.
bool Vst2Plugin::SendMidiToHost(const MidiMessage& message) {
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = message.offset;
    event.midiData[0] = static_cast<char>(message.status);
    event.midiData[1] = static_cast<char>(message.data1);
    event.midiData[2] = static_cast<char>(message.data2);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool Vst2Plugin::SendSysExToHost(const SysExMessage& message) {
    VstMidiSysexEvent event{};
    event.type = kVstSysExType;
    event.byteSize = sizeof(VstMidiSysexEvent);
    event.deltaFrames = message.offset;
    event.dumpBytes = message.size;
    event.sysexDump = const_cast<char*>(message.data);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}
