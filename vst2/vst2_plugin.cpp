#include "vst2/vst2_plugin.h"

#include "vst2/vst2_requests.h"

#include <algorithm>

namespace {

// A packed version 0xMMMMmmrr as the record's decimal major * 10000 + minor * 100 + revision.
VstInt32 RecordVersion(std::int32_t packed) {
    const std::uint32_t bits = static_cast<std::uint32_t>(packed);
    return static_cast<VstInt32>((bits >> 16) * 10000 + ((bits >> 8) & 0xFF) * 100 + (bits & 0xFF));
}

void SetUpArrangement(VstSpeakerArrangement& arrangement, int channels) {
    arrangement = VstSpeakerArrangement{};
    arrangement.numChannels = channels;
    if (channels <= 0) {
        arrangement.type = kSpeakerArrEmpty;
    } else if (channels == 1) {
        arrangement.type = kSpeakerArrMono;
    } else if (channels == 2) {
        arrangement.type = kSpeakerArrStereo;
    } else {
        arrangement.type = kSpeakerArrUserDefined;
    }
}

} // namespace

Vst2Plugin::Vst2Plugin(audioMasterCallback host, PluginCore* core) : core_(core), host_(host) {
    effect_ = AEffect{};
    effect_.magic = kEffectMagic;
    effect_.dispatcher = &Vst2Plugin::VSTDispatcher;
    effect_.process = &Vst2Plugin::VSTAccumulateBlock;
    effect_.setParameter = &Vst2Plugin::VSTWriteParameter;
    effect_.getParameter = &Vst2Plugin::VSTReadParameter;
    effect_.numPrograms = core_->PresetCount();
    effect_.numParams = core_->ParamCount();
    effect_.numInputs = core_->InputChannelCount();
    effect_.numOutputs = core_->OutputChannelCount();
    effect_.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
    if (core_->LegalIO(1, -1)) {
        effect_.flags |= effFlagsCanMono;
    }
    effect_.ioRatio = 1.0f;
    effect_.object = this;
    effect_.uniqueID = core_->UniqueId();
    effect_.version = RecordVersion(core_->Version());
    effect_.processReplacing = &Vst2Plugin::VSTReplaceBlock;
    effect_.processDoubleReplacing = &Vst2Plugin::VSTReplaceBlockDouble;
    effect_.initialDelay = core_->Latency();

    editorRect_ = ERect{};
    SetUpArrangement(inputArrangement_, core_->InputChannelCount());
    SetUpArrangement(outputArrangement_, core_->OutputChannelCount());
    ConnectChannels();

    floatInputPieces_.assign(static_cast<size_t>(core_->InputChannelCount()), nullptr);
    core_->SetBlockLength(1024);
    core_->LinkHost(this);
    EditorChanged(); // the effect attached its editor before there was a record to announce it
}

// The effect goes first, while everything it may call back into is still here.
Vst2Plugin::~Vst2Plugin() {
    core_.reset();
}

void Vst2Plugin::ConnectChannels() {
    const int inputs = std::min<int>(effect_.numInputs, core_->InputChannelCount());
    for (int i = 0; i < inputs; ++i) {
        core_->Input(i)->connected = true;
    }
    const int outputs = std::min<int>(effect_.numOutputs, core_->OutputChannelCount());
    for (int i = 0; i < outputs; ++i) {
        core_->Output(i)->connected = true;
    }
}

// The size is reported from the start; the editor is announced only when this build's window
// class can open a window, or a host would offer an editor that never appears.
void Vst2Plugin::EditorChanged() {
    const PluginEditor* editor = core_->Editor();
    if (editor == nullptr) {
        return;
    }
    effect_.flags &= ~effFlagsHasEditor;
    if (editor->CanOpenWindows()) {
        effect_.flags |= effFlagsHasEditor;
    }
    RecordEditorSize();
}

void Vst2Plugin::SystemScaleChanged(double factor) {
    Vst2Requests::FollowSystemScale(*this, factor);
}

void Vst2Plugin::RecordEditorSize() {
    const PluginEditor* editor = core_->Editor();
    editorRect_ = ERect{0, 0, static_cast<VstInt16>(editor->Height()),
                        static_cast<VstInt16>(editor->Width())};
}

// Hosts see the latency only through initialDelay. The audio thread sets it when a parameter
// changes it, while the host may read the record on another thread: an atomic store.
void Vst2Plugin::LatencyChanged(int samples) {
    __atomic_store_n(&effect_.initialDelay, samples, __ATOMIC_RELEASE);
}
