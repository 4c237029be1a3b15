// One plug-in instance in our CLAP host: created through the module's plug-in factory with the
// host's record, then driven call by call the way a host does (init, activate, start_processing,
// process with its buffers and event lists, flush, the extensions' calls, destroy). Audio-thread
// calls run inside the host's audio-thread mark so the thread-check extension answers as a host's.
#pragma once

#include "host/audio_buffers.h"
#include "host/clap/clap_events.h"
#include "host/clap/clap_host_services.h"
#include "host/clap/clap_module.h"
#include "host/clap/clap_streams.h"

#include <cstdint>
#include <string>
#include <vector>

class ClapInstance {
public:
    ClapInstance(const ClapModule& module, ClapHostServices& services);
    ~ClapInstance() { Destroy(); }
    ClapInstance(const ClapInstance&) = delete;
    ClapInstance& operator=(const ClapInstance&) = delete;

    // create_plugin (the first descriptor's id when none is given), then init. False, with
    // Error() saying why, if either fails; a created plug-in whose init fails is destroyed.
    bool Create(const char* id = nullptr);
    // Stops processing and deactivates first where needed, then destroy.
    void Destroy();
    const clap_plugin* Plugin() const { return plugin_; }
    const std::string& Error() const { return error_; }

    template <typename T>
    const T* Extension(const char* id) const {
        return plugin_ != nullptr ? static_cast<const T*>(plugin_->get_extension(plugin_, id))
                                  : nullptr;
    }

    // --- Lifecycle
    bool Activate(double sampleRate = 44100.0, std::uint32_t minFrames = 1,
                  std::uint32_t maxFrames = 4096);
    void Deactivate();
    bool StartProcessing();
    void StopProcessing();
    void Reset();
    bool Active() const { return active_; }
    bool Processing() const { return processing_; }
    // Deactivates (when active) and activates again at the last rate and sizes, keeping the
    // processing state, as a host answers request_restart.
    bool Restart();

    // --- Audio: `in` may be null (no input port) and may be `out` itself (in place). With
    // `frames` 0 the buffers may be empty.
    template <typename T>
    clap_process_status Process(const AudioBuffers<T>* in, AudioBuffers<T>* out,
                                std::uint32_t frames, const ClapInputEvents& events,
                                ClapOutputEvents& output,
                                const clap_event_transport* transport = nullptr);

    // --- Ports
    std::vector<clap_audio_port_info> Ports(bool input) const;
    bool SelectPortsConfig(clap_id id);

    // --- Parameters (params extension; empty answers without it)
    std::vector<clap_param_info> ParamInfos() const;
    bool ParamValue(clap_id id, double& value) const;
    // The text, or "" with false when the plug-in refuses.
    bool ValueToText(clap_id id, double value, std::string& text,
                     std::uint32_t capacity = 256) const;
    bool TextToValue(clap_id id, const std::string& text, double& value) const;
    // On the audio thread while processing, else on this (the main) thread.
    void Flush(const ClapInputEvents& events, ClapOutputEvents& output);

    // --- State
    bool SaveState(std::vector<std::uint8_t>& bytes, StreamLimits limits = {}) const;
    bool LoadState(const std::vector<std::uint8_t>& bytes, StreamLimits limits = {});

    // --- Latency and tail (0 without the extension)
    std::uint32_t Latency() const;
    std::uint32_t Tail() const;

    // --- Main-thread callbacks the host loop delivers
    void OnTimer(clap_id id);
    void OnFd(int fd, clap_posix_fd_flags flags);
    void OnMainThread();

private:
    const ClapModule& module_;
    ClapHostServices& services_;
    const clap_plugin* plugin_ = nullptr;
    bool active_ = false;
    bool processing_ = false;
    double sampleRate_ = 44100.0;
    std::uint32_t minFrames_ = 1;
    std::uint32_t maxFrames_ = 4096;
    std::int64_t steadyTime_ = 0;
    std::string error_;
};

// Create, Activate and StartProcessing: where most tests start.
bool CreateAndStart(ClapInstance& instance, double sampleRate = 44100.0,
                    std::uint32_t maxFrames = 4096);
