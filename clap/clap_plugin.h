// ClapPlugin: the CLAP host adapter of one instance. It owns the effect (a host-neutral
// PluginCore) and the clap_plugin record a host drives it through, runs the life cycle and the
// audio path, and answers the core's host-facing operations (HostLink): the editor's gestures and
// values leave as output events, a latency change as a restart request.
//
// Threads, as CLAP assigns them: the life cycle, the extensions' queries, the editor and the
// requests to the host come from the main thread; process, start/stop_processing and reset from
// the audio thread. The instance lock is held around whatever touches the effect, never while
// calling the host.
#pragma once

#include "clap/clap_abi.h"
#include "clap/clap_gui.h"
#include "clap/editor_event_queue.h"
#include "framework/plugin_core.h"

#include <atomic>
#include <memory>

class ClapPlugin final : public HostLink {
public:
    // Takes ownership of the effect (not null). Calls nothing of the host.
    ClapPlugin(const clap_host* host, const clap_plugin_descriptor* descriptor, PluginCore* core);
    ~ClapPlugin();
    ClapPlugin(const ClapPlugin&) = delete;
    ClapPlugin& operator=(const ClapPlugin&) = delete;

    // The record the host holds, and the instance behind a record (null for a foreign one).
    const clap_plugin* Record() const { return &record_; }
    static ClapPlugin* From(const clap_plugin* plugin);

    PluginCore& Core() { return *core_; }
    ClapGui& Gui() { return gui_; }
    // The host's extension, or null when the host does not offer it.
    const void* HostExtension(const char* id) const;
    const clap_host* Host() const { return host_; }

    // Debug builds: a call on a thread CLAP does not allow for it is logged to the host.
    enum class CallThread { Main, Audio };
    void ExpectThread(CallThread thread, const char* call) const;

    // --- The record's calls.
    bool Init();                                              // main thread
    bool Activate(double rate, std::uint32_t maxFrames);      // main thread
    void Deactivate();                                        // main thread
    void SetProcessing(bool processing);                      // audio thread
    void Reset();                                             // audio thread
    clap_process_status Process(const clap_process& process); // audio thread
    const void* Extension(const char* id) const;              // any thread
    void OnMainThread();                                      // main thread

    // --- Parameters: host events in, the editor's events out (process and flush).
    // Applies one input event; others than parameter values are ignored. Instance lock held.
    void ApplyEvent(const clap_event_header& event);
    // Moves the editor's queued events to the host's list, in order. Instance lock not needed.
    void EmitEditorEvents(const clap_output_events* out);
    // flush: audio thread while active, main thread otherwise.
    void Flush(const clap_input_events* in, const clap_output_events* out);

    // --- Latency and the port layout, for their extensions.
    bool IsActive() const { return active_; }
    // The latency the host knows: the one taken at activation while active, else the current.
    // Any thread, no lock.
    std::uint32_t ReportedLatency() const;
    int ChannelsPerPort() const { return channels_; }
    bool SelectChannels(int channels); // only while deactivated; 1 or 2
    // Main thread, no lock held: asks the host for what the instance needs (a flush of the
    // editor's events while not processing, a restart for a new latency).
    void ServiceHostRequests();

    // --- HostLink.
    AdapterKind Kind() const override { return AdapterKind::Clap; }
    void BeginParamEdit(int index) override;
    void AnnounceParamChange(int index, double normalised) override;
    void EndParamEdit(int index) override;
    void AnnounceProgramChange() override {}
    void LatencyChanged(int samples) override;
    void EditorChanged() override {} // the editor keeps its size
    void SystemScaleChanged(double factor) override { gui_.FollowSystemScale(factor); }
    bool IsOfflineRender() override { return false; }
    int HostSamplePosition() override;
    double HostTempo() override;
    void HostTimeSignature(int& numerator, int& denominator) override;
    void HostTimeInfo(TransportInfo& info) override;
    int IdentifyHost(std::int32_t& version) override;
    bool SendMidiToHost(const MidiMessage& /*message*/) override { return false; }
    bool SendSysExToHost(const SysExMessage& /*message*/) override { return false; }

private:
    // The host's events from first on, at most EventBatch into batch (stored says how many);
    // answers how many list entries were gone through. Reading the list calls the host, so no
    // lock is held.
    static constexpr std::uint32_t EventBatch = 64;
    static std::uint32_t TakeEvents(const clap_input_events* in, std::uint32_t first,
                                    std::uint32_t count, const clap_event_header** batch,
                                    std::uint32_t& stored);
    void AskForRestart(bool mainThread);
    void PushEditorEvent(EditorEvent::Kind kind, int index, double value);
    // Renders frames of the block from offset on, in pieces the channel scratch holds.
    void RenderSpan(const clap_process& process, std::uint32_t offset, std::uint32_t frames);
    void RenderPiece(const clap_audio_buffer* in, const clap_audio_buffer* out,
                     std::uint32_t offset, int frames);

    std::unique_ptr<PluginCore> core_;
    const clap_host* host_;
    clap_plugin record_{};
    ClapGui gui_;
    EditorEventQueue editorEvents_;
    std::atomic_flag emitting_ = ATOMIC_FLAG_INIT;    // a consumer is taking the editor's events
    int gestureParam_ = -1;                           // the editor's open gesture (main thread)
    const clap_event_transport* transport_ = nullptr; // the current block's, during process
    int channels_ = 2;
    std::atomic<bool> active_{false};
    std::atomic<std::uint32_t> activeLatency_{0};
    std::atomic<std::uint32_t> latestLatency_{0}; // the effect's, whatever the host knows
    std::uint32_t announcedLatency_ = 0;
    bool latencyAnnounced_ = false;
    std::atomic<bool> processing_{false};
    std::atomic<bool> restartWanted_{false};
    std::atomic<bool> restartAskedMain_{false}; // once per activation from each side
    std::atomic<bool> restartAskedAudio_{false};
};
