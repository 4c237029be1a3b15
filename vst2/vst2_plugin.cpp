#include "vst2/vst2_plugin.h"

#include "editor/graphics_context.h"

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

Vst2Plugin::Vst2Plugin(audioMasterCallback host, const PluginIdentity& identity)
    : PluginCore(identity), host_(host) {
    effect_ = AEffect{};
    effect_.magic = kEffectMagic;
    effect_.dispatcher = &Vst2Plugin::VSTDispatcher;
    effect_.process = &Vst2Plugin::VSTAccumulateBlock;
    effect_.setParameter = &Vst2Plugin::VSTWriteParameter;
    effect_.getParameter = &Vst2Plugin::VSTReadParameter;
    effect_.numPrograms = PresetCount();
    effect_.numParams = ParamCount();
    effect_.numInputs = InputChannelCount();
    effect_.numOutputs = OutputChannelCount();
    effect_.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
    if (LegalIO(1, -1)) {
        effect_.flags |= effFlagsCanMono;
    }
    effect_.ioRatio = 1.0f;
    effect_.object = this;
    effect_.uniqueID = UniqueId();
    effect_.version = RecordVersion(Version());
    effect_.processReplacing = &Vst2Plugin::VSTReplaceBlock;
    effect_.processDoubleReplacing = &Vst2Plugin::VSTReplaceBlockDouble;

    editorRect_ = ERect{};
    SetUpArrangement(inputArrangement_, InputChannelCount());
    SetUpArrangement(outputArrangement_, OutputChannelCount());
    ConnectChannels();

    floatInputPieces_.assign(static_cast<size_t>(InputChannelCount()), nullptr);
    SetBlockLength(1024);
}

// The chunk blocks go with the members; the base then frees its own records.
Vst2Plugin::~Vst2Plugin() = default;

void Vst2Plugin::ConnectChannels() {
    const int inputs = std::min<int>(effect_.numInputs, InputChannelCount());
    for (int i = 0; i < inputs; ++i) {
        Input(i)->connected = true;
    }
    const int outputs = std::min<int>(effect_.numOutputs, OutputChannelCount());
    for (int i = 0; i < outputs; ++i) {
        Output(i)->connected = true;
    }
}

// The size is reported from the start; the editor is announced only when this build's window
// class can open a window, or a host would offer an editor that never appears.
void Vst2Plugin::AttachEditor(GraphicsContext* editor) {
    if (editor == nullptr) {
        return;
    }
    PluginCore::AttachEditor(editor);
    if (Editor() != editor) {
        return; // the base did not take it
    }
    effect_.flags &= ~effFlagsHasEditor;
    if (editor->CanOpenWindows()) {
        effect_.flags |= effFlagsHasEditor;
    }
    RecordEditorSize();
}

// The editor has already stored its new size. A host with the window open resizes its own
// window around it when asked.
void Vst2Plugin::EditorSizeChanged(int width, int height) {
    if (Editor() == nullptr) {
        return;
    }
    RecordEditorSize();
    EditorResized();
    if (Editor()->HasWindow()) {
        CallHost(audioMasterSizeWindow, width, height);
    }
}

void Vst2Plugin::RecordEditorSize() {
    editorRect_ = ERect{0, 0, static_cast<VstInt16>(Editor()->Height()),
                        static_cast<VstInt16>(Editor()->Width())};
}

// Hosts see the latency only through initialDelay.
void Vst2Plugin::SetLatencySamples(int samples) {
    effect_.initialDelay = samples;
    PluginCore::SetLatencySamples(samples);
}
