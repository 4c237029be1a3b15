// Vst2Plugin: the VST 2.4 host adapter. It owns the effect (a host-neutral PluginCore) and the
// effect record a host drives it through, forwards the record's callbacks to the core, and
// answers the core's host-facing operations (HostLink) through the host callback.
#pragma once

#include "framework/byte_block.h"
#include "framework/plugin_core.h"
#include "framework/transport_info.h"
#include "vst2/vst2_abi.h"

#include <memory>
#include <vector>

struct Vst2Requests; // the dispatcher's opcode handlers

class Vst2Plugin final : public HostLink {
public:
    // Takes ownership of the effect (not null); the host callback is used for every call to the
    // host and must stay valid for the instance's life.
    Vst2Plugin(audioMasterCallback host, PluginCore* core);
    ~Vst2Plugin();
    Vst2Plugin(const Vst2Plugin&) = delete;
    Vst2Plugin& operator=(const Vst2Plugin&) = delete;

    // The record the host holds; its address never changes while the instance lives.
    AEffect* Effect() { return &effect_; }
    PluginCore& Core() { return *core_; }
    const PluginCore& Core() const { return *core_; }

    // --- The record's callbacks. Each finds the instance through effect->object.
    static VstIntPtr VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                   VstIntPtr value, void* ptr, float opt);
    static void VSTAccumulateBlock(AEffect* effect, float** inputs, float** outputs,
                                   VstInt32 frames); // audio thread
    static void VSTReplaceBlock(AEffect* effect, float** inputs, float** outputs,
                                VstInt32 frames); // audio thread
    static void VSTReplaceBlockDouble(AEffect* effect, double** inputs, double** outputs,
                                      VstInt32 frames); // audio thread
    static float VSTReadParameter(AEffect* effect, VstInt32 index);
    static void VSTWriteParameter(AEffect* effect, VstInt32 index, float value);

    // --- Host-facing operations of the core, answered through the host callback.
    AdapterKind Kind() const override { return AdapterKind::Vst2; }
    void BeginParamEdit(int index) override;
    void AnnounceParamChange(int index, double normalised) override;
    void EndParamEdit(int index) override;
    void AnnounceProgramChange() override;
    // Hosts see the latency only through initialDelay.
    void LatencyChanged(int samples) override;
    // The editor is announced only when this build's window class can open a window.
    void EditorChanged() override;
    // audioMasterSizeWindow tells the host of the new size.
    void SystemScaleChanged(double factor) override;
    bool IsOfflineRender() override;
    int HostSamplePosition() override;
    double HostTempo() override;
    void HostTimeSignature(int& numerator, int& denominator) override;
    void HostTimeInfo(TransportInfo& info) override;
    // The product string and vendor version.
    int IdentifyHost(std::int32_t& version) override;
    bool SendMidiToHost(const MidiMessage& message) override;
    bool SendSysExToHost(const SysExMessage& message) override;

    // The set-up some hosts need, at the first effOpen.
    void HostSpecificSetup();

protected:
    // Sends one request to the host; 0 when there is no host callback.
    VstIntPtr CallHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.f);

private:
    friend struct Vst2Requests;

    // Audio paths, called by the static callbacks; they take no lock.
    void ProcessFloat(float** inputs, float** outputs, int frames, bool accumulate);
    void ProcessDouble(double** inputs, double** outputs, int frames);
    // Holds what every process callback holds and calls renderPiece(offset, length) for each
    // piece of at most the block size.
    template <typename RenderPiece>
    void RunInPieces(int frames, bool haveBuffers, RenderPiece renderPiece);
    float** FloatInputPiece(float** inputs, int offset);
    void RouteFloatOutputs(float** outputs, int offset);
    int RouteDoubleOutputs(double** outputs, int offset);
    void RouteDoubleInputs(double** inputs, double** outputs, int outputsTaken, int offset,
                           int frames);
    void WriteParameterNormalised(int index, double normalised);
    float ReadParameterNormalised(int index);
    void ConnectChannels();
    void RecordEditorSize(); // the editor rectangle from the attached editor's size

    std::unique_ptr<PluginCore> core_;
    audioMasterCallback host_;
    AEffect effect_{};
    ERect editorRect_{};
    VstSpeakerArrangement inputArrangement_{};
    VstSpeakerArrangement outputArrangement_{};
    ByteBlock programChunk_; // handed to the host by effGetChunk; valid until the next request
    ByteBlock bankChunk_;
    bool hostSetupDone_ = false;
    // Host pointers advanced to the current piece of a block longer than the block size.
    // Sized at construction so the audio thread never allocates.
    std::vector<float*> floatInputPieces_;
};
