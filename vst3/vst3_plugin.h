// Vst3Plugin: the VST3 adapter. One object is both the component (processor) and the edit
// controller, over one host-neutral effect. Hosts that handle the two halves separately connect
// them through message proxies and mirror state between them; with one object the parameter
// values, the state and the editor have a single home, and hosts that ask the component for
// IEditController first (as Ardour does) get it at once. The static interface functions only
// forward to the effect, nothing more.
//
// Threads: IComponent, IEditController, IUnitInfo and the view are UI-thread calls; process()
// runs on the audio thread; setProcessing may come from either.
#pragma once

#include "framework/byte_block.h"
#include "framework/host_link.h"
#include "framework/host_lookup.h"
#include "framework/plugin_core.h"
#include "vst3/change_points.h"
#include "vst3/interface_query.h"
#include "vst3/program_values.h"
#include "vst3/realtime_counters_interface.h"

#include <atomic>
#include <memory>

namespace vst3 {

class PlugView;

class Vst3Plugin final : public IComponent,
                         public IAudioProcessor,
                         public IEditController,
                         public IUnitInfo,
                         public IRealtimeCounters,
                         public HostLink {
public:
    // The program-change parameter's id, beside the effect's parameters 0..n-1.
    static constexpr ParamID ProgramParamId = 0x70726F67; // 'prog'
    static constexpr ProgramListID FactoryProgramList = 1;
    // The largest state a host may hand us.
    static constexpr std::int32_t MaxStateBytes = 16 * 1024 * 1024;

    // Takes the effect (not null) and links itself to it; the object starts with one
    // reference, its creator's.
    explicit Vst3Plugin(PluginCore* effect);

    PluginCore& Effect() { return *effect_; }

    // --- FUnknown
    tresult queryInterface(const TUID id, void** obj) override;
    uint32 addRef() override { return count_.Add(); }
    uint32 release() override;

    // --- IPluginBase (both halves share it)
    tresult initialize(FUnknown* context) override;
    tresult terminate() override;

    // --- IComponent (vst3/component.cpp)
    tresult getControllerClassId(TUID classId) override;
    tresult setIoMode(IoMode mode) override;
    int32 getBusCount(MediaType type, BusDirection dir) override;
    tresult getBusInfo(MediaType type, BusDirection dir, int32 index, BusInfo& bus) override;
    tresult getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) override;
    tresult activateBus(MediaType type, BusDirection dir, int32 index, TBool state) override;
    tresult setActive(TBool state) override;
    tresult setState(IBStream* state) override;
    tresult getState(IBStream* state) override;

    // --- IAudioProcessor (vst3/audio_processor.cpp)
    tresult setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                               SpeakerArrangement* outputs, int32 numOuts) override;
    tresult getBusArrangement(BusDirection dir, int32 index, SpeakerArrangement& arr) override;
    tresult canProcessSampleSize(int32 symbolicSampleSize) override;
    uint32 getLatencySamples() override;
    tresult setupProcessing(ProcessSetup& setup) override;
    tresult setProcessing(TBool state) override;
    tresult process(ProcessData& data) override; // audio thread
    uint32 getTailSamples() override;

    // --- IEditController (vst3/edit_controller.cpp)
    tresult setComponentState(IBStream* state) override;
    int32 getParameterCount() override;
    tresult getParameterInfo(int32 paramIndex, ParameterInfo& info) override;
    tresult getParamStringByValue(ParamID id, ParamValue valueNormalized,
                                  String128 string) override;
    tresult getParamValueByString(ParamID id, TChar* string, ParamValue& valueNormalized) override;
    ParamValue normalizedParamToPlain(ParamID id, ParamValue valueNormalized) override;
    ParamValue plainParamToNormalized(ParamID id, ParamValue plainValue) override;
    ParamValue getParamNormalized(ParamID id) override;
    tresult setParamNormalized(ParamID id, ParamValue value) override;
    tresult setComponentHandler(IComponentHandler* handler) override;
    IPlugView* createView(FIDString name) override;

    // --- IUnitInfo (vst3/unit_info.cpp): one root unit with the factory program list.
    int32 getUnitCount() override { return 1; }
    tresult getUnitInfo(int32 unitIndex, UnitInfo& info) override;
    int32 getProgramListCount() override { return 1; }
    tresult getProgramListInfo(int32 listIndex, ProgramListInfo& info) override;
    tresult getProgramName(ProgramListID listId, int32 programIndex, String128 name) override;
    tresult getProgramInfo(ProgramListID listId, int32 programIndex, const char8* attributeId,
                           String128 attributeValue) override;
    tresult hasProgramPitchNames(ProgramListID listId, int32 programIndex) override;
    tresult getProgramPitchName(ProgramListID listId, int32 programIndex, int16 midiPitch,
                                String128 name) override;
    UnitID getSelectedUnit() override { return kRootUnitId; }
    tresult selectUnit(UnitID unitId) override;
    tresult getUnitByBus(MediaType type, BusDirection dir, int32 busIndex, int32 channel,
                         UnitID& unitId) override;
    tresult setUnitProgramData(int32 listOrUnitId, int32 programIndex, IBStream* data) override;

    // --- IRealtimeCounters (vst3/realtime_counters.cpp): answered in the counting build only.
    tresult readCounters(RealtimeCounters* counters, TBool reset) override;

    // --- HostLink: what the effect and its editor ask of the host (vst3/host_link.cpp).
    AdapterKind Kind() const override { return AdapterKind::Vst3; }
    // Gestures of the editor, UI thread: begin/perform/end edit on the component handler.
    void BeginParamEdit(int index) override;
    void AnnounceParamChange(int index, double normalised) override;
    void EndParamEdit(int index) override;
    // Texts and names changed: hosts re-read the values and their texts.
    void AnnounceProgramChange() override;
    // Any thread: the host hears of it from the UI thread (ReportLatencyChange).
    void LatencyChanged(int samples) override;
    void EditorChanged() override {} // fixed size, always announced where windows open
    bool IsOfflineRender() override;
    // The transport of the process call under way (audio thread); nothing outside one.
    int HostSamplePosition() override;
    double HostTempo() override;
    void HostTimeSignature(int& numerator, int& denominator) override;
    void HostTimeInfo(TransportInfo& info) override;
    int IdentifyHost(std::int32_t& version) override;
    bool SendMidiToHost(const MidiMessage& /*message*/) override { return false; }
    bool SendSysExToHost(const SysExMessage& /*message*/) override { return false; }

    // UI thread. Tells the host through a restart when the latency differs from what it was
    // told, or when the texts or the program changed.
    void ReportLatencyChange();
    // A view's claim on the one editor window: false while another view holds it. The view
    // holding it hears of the system's scale changes.
    bool ClaimEditor(PlugView& view);
    void ReleaseEditor() { editorView_ = nullptr; }
    // HostLink: the open editor's window moved to a scale of the system's (UI thread).
    void SystemScaleChanged(double factor) override;

private:
    ~Vst3Plugin();
    // getState/setState of the component: the VST2 program chunk's bytes.
    bool LoadProgramChunk(const ByteBlock& chunk);
    // The host's type from the name its application context gives.
    void IdentifyHostApplication(FUnknown* context);
    void SetNormalised(int index, double normalised); // under the instance lock
    void ApplyChange(const ChangePoint& point);       // audio thread
    // The preset a program-change value picks.
    int ProgramFor(ParamValue normalised) const;
    // UI thread: a program the audio thread switched to becomes the current preset.
    void SettleProgramFromAudio();
    // UI thread: the presets may have changed; the audio thread's copy follows.
    void PresetsChanged();
    template <typename Sample>
    void RenderSpan(AudioBusBuffers& in, AudioBusBuffers& out, int start, int frames);
    void RenderFloatPiece(float* const* in, float* const* out, int offset, int frames);
    void RenderDoublePiece(double* const* in, double* const* out, int offset, int frames);
    void ConnectChannels(int channels);
    const PluginParam* ParamFor(ParamID id) const;

    std::unique_ptr<PluginCore> effect_;
    ProgramValues programs_;                // for program changes in process()
    std::atomic<int> programFromAudio_{-1}; // the preset process() switched to, not yet settled
    RefCount count_;
    IComponentHandler* handler_ = nullptr;
    const ProcessContext* context_ = nullptr; // during process() only
    int32 processMode_ = kRealtime;
    int hostType_ = HostUnknown;
    std::atomic<bool> textsChanged_{false};
    std::atomic<bool> processing_{false}; // between setProcessing(true) and (false)
    ChangePoints changes_;
    ByteBlock stateBlock_;
    int channels_ = 2;
    int32 sampleSize_ = kSample32;
    bool active_ = false;
    PlugView* editorView_ = nullptr; // the view whose window shows the editor
    int reportedLatency_ = 0;
    // Host pointers advanced to the piece being rendered; sized once, so process never allocates.
    float* floatPieces_[2] = {};
};

// A new adapter over `effect` (taken; null gives null) for the factory, or null.
FUnknown* CreateVst3Plugin(PluginCore* effect);

} // namespace vst3
