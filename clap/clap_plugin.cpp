// The instance's record, its life cycle and the requests it makes of the host.
#include "clap/clap_plugin.h"

#include "clap/clap_extensions.h"
#include "framework/realtime_checks.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// The channel scratch is sized for this many frames at most; longer host blocks run in pieces.
constexpr std::uint32_t MaxPieceFrames = 8192;

ClapPlugin* Instance(const clap_plugin* plugin) {
    return ClapPlugin::From(plugin);
}

bool InitCall(const clap_plugin* plugin) {
    ClapPlugin* instance = Instance(plugin);
    if (instance == nullptr) {
        return false;
    }
    instance->ExpectThread(ClapPlugin::CallThread::Main, "init");
    return instance->Init();
}

void DestroyCall(const clap_plugin* plugin) {
    delete Instance(plugin);
}

bool ActivateCall(const clap_plugin* plugin, double rate, std::uint32_t /*minFrames*/,
                  std::uint32_t maxFrames) {
    ClapPlugin* instance = Instance(plugin);
    if (instance == nullptr) {
        return false;
    }
    instance->ExpectThread(ClapPlugin::CallThread::Main, "activate");
    return instance->Activate(rate, maxFrames);
}

void DeactivateCall(const clap_plugin* plugin) {
    if (ClapPlugin* instance = Instance(plugin)) {
        instance->ExpectThread(ClapPlugin::CallThread::Main, "deactivate");
        instance->Deactivate();
    }
}

bool StartProcessingCall(const clap_plugin* plugin) {
    ClapPlugin* instance = Instance(plugin);
    if (instance == nullptr) {
        return false;
    }
    instance->ExpectThread(ClapPlugin::CallThread::Audio, "start_processing");
    instance->SetProcessing(true);
    return true;
}

void StopProcessingCall(const clap_plugin* plugin) {
    if (ClapPlugin* instance = Instance(plugin)) {
        instance->ExpectThread(ClapPlugin::CallThread::Audio, "stop_processing");
        instance->SetProcessing(false);
    }
}

void ResetCall(const clap_plugin* plugin) {
    if (ClapPlugin* instance = Instance(plugin)) {
        instance->Reset();
    }
}

clap_process_status ProcessCall(const clap_plugin* plugin, const clap_process* process) {
    ClapPlugin* instance = Instance(plugin);
    if (instance == nullptr || process == nullptr) {
        return CLAP_PROCESS_ERROR;
    }
    instance->ExpectThread(ClapPlugin::CallThread::Audio, "process");
    AudioCallbackScope realtime;
    return instance->Process(*process);
}

const void* ExtensionCall(const clap_plugin* plugin, const char* id) {
    ClapPlugin* instance = Instance(plugin);
    return instance != nullptr && id != nullptr ? instance->Extension(id) : nullptr;
}

void OnMainThreadCall(const clap_plugin* plugin) {
    if (ClapPlugin* instance = Instance(plugin)) {
        instance->OnMainThread();
    }
}

} // namespace

ClapPlugin::ClapPlugin(const clap_host* host, const clap_plugin_descriptor* descriptor,
                       PluginCore* core)
    : core_(core), host_(host), gui_(*this) {
    record_.desc = descriptor;
    record_.plugin_data = this;
    record_.init = &InitCall;
    record_.destroy = &DestroyCall;
    record_.activate = &ActivateCall;
    record_.deactivate = &DeactivateCall;
    record_.start_processing = &StartProcessingCall;
    record_.stop_processing = &StopProcessingCall;
    record_.reset = &ResetCall;
    record_.process = &ProcessCall;
    record_.get_extension = &ExtensionCall;
    record_.on_main_thread = &OnMainThreadCall;
    core_->LinkHost(this);
}

// The window goes before the effect that owns the editor, and the effect while the link it may
// call back through is still whole.
ClapPlugin::~ClapPlugin() {
    gui_.Destroy();
    core_.reset();
}

ClapPlugin* ClapPlugin::From(const clap_plugin* plugin) {
    if (plugin == nullptr || plugin->init != &InitCall) {
        return nullptr; // not a record of ours
    }
    return static_cast<ClapPlugin*>(plugin->plugin_data);
}

const void* ClapPlugin::HostExtension(const char* id) const {
    if (host_ == nullptr || host_->get_extension == nullptr) {
        return nullptr;
    }
    return host_->get_extension(host_, id);
}

// As a VST2 host's effOpen: the effect derives its processing values from the parameters.
bool ClapPlugin::Init() {
    InstanceHold hold(core_->Lock());
    core_->ApplyPendingParams();
    for (int i = 0; i < core_->ParamCount(); ++i) {
        core_->ParamChanged(i);
    }
    latestLatency_ = static_cast<std::uint32_t>(std::max(core_->Latency(), 0));
    return true;
}

// A host is told of a latency change only from inside activate; the first activation needs no
// telling, the host asks for it.
bool ClapPlugin::Activate(double rate, std::uint32_t maxFrames) {
    {
        InstanceHold hold(core_->Lock());
        if (std::isfinite(rate) && rate > 0.0) {
            core_->SetSampleRate(rate);
        }
        core_->SetBlockLength(
            static_cast<int>(std::clamp<std::uint32_t>(maxFrames, 1, MaxPieceFrames)));
        if (core_->BlockSize() <= 0) {
            return false; // no memory for the channel scratch
        }
        core_->ApplyPendingParams(); // the latency reported from here on is the current one
        core_->ClearState();
        core_->ActivationChanged(true);
        activeLatency_ = latestLatency_.load();
        restartWanted_ = false;
        restartAskedMain_ = false;
        restartAskedAudio_ = false;
        active_ = true;
    }
    const bool tell = latencyAnnounced_ && announcedLatency_ != activeLatency_;
    announcedLatency_ = activeLatency_;
    latencyAnnounced_ = true;
    if (tell) {
        // Some hosts rebuild the instance inside this call (deactivate, activate): the state is
        // already complete, and the nested activation finds nothing left to tell.
        const auto* latency =
            static_cast<const clap_host_latency*>(HostExtension(CLAP_EXT_LATENCY));
        if (latency != nullptr && latency->changed != nullptr) {
            latency->changed(host_);
        }
    }
    return true;
}

void ClapPlugin::Deactivate() {
    InstanceHold hold(core_->Lock());
    if (!active_) {
        return;
    }
    active_ = false;
    core_->ActivationChanged(false);
    core_->ClearState();
}

void ClapPlugin::SetProcessing(bool processing) {
    processing_ = processing;
}

void ClapPlugin::Reset() {
    InstanceHold hold(core_->Lock());
    core_->ClearState();
}

void ClapPlugin::OnMainThread() {
    ServiceHostRequests();
}

std::uint32_t ClapPlugin::ReportedLatency() const {
    return active_ ? activeLatency_.load() : latestLatency_.load();
}

bool ClapPlugin::SelectChannels(int channels) {
    if (active_ || (channels != 1 && channels != 2)) {
        return false;
    }
    channels_ = channels;
    return true;
}

// Instance lock held, any thread. The port layout and the latency stay fixed while active, so a
// change waits for a restart; a change back before it came cancels the wish.
void ClapPlugin::LatencyChanged(int samples) {
    latestLatency_ = static_cast<std::uint32_t>(std::max(samples, 0));
    if (active_) {
        restartWanted_ = latestLatency_ != activeLatency_;
    }
}

void ClapPlugin::ServiceHostRequests() {
    if (!editorEvents_.Empty() && !processing_) {
        const auto* params = static_cast<const clap_host_params*>(HostExtension(CLAP_EXT_PARAMS));
        if (params != nullptr && params->request_flush != nullptr) {
            params->request_flush(host_);
        }
    }
    AskForRestart(true);
}

// No lock held. Asked once per activation from each side: hosts may ignore a request from the
// audio thread (one rebuilds the instance inside a request from any other), and the audio side
// also asks for on_main_thread to ask again from there.
void ClapPlugin::AskForRestart(bool mainThread) {
    std::atomic<bool>& asked = mainThread ? restartAskedMain_ : restartAskedAudio_;
    if (!restartWanted_ || host_ == nullptr || asked.exchange(true)) {
        return;
    }
    if (host_->request_restart != nullptr) {
        host_->request_restart(host_);
    }
    if (!mainThread && host_->request_callback != nullptr) {
        host_->request_callback(host_);
    }
}

int ClapPlugin::IdentifyHost(std::int32_t& version) {
    version = 0;
    return LookUpHost(host_ != nullptr && host_->name != nullptr ? host_->name : "");
}
