#include "host/clap/clap_host_services.h"

#include <algorithm>
#include <cstring>

namespace {

thread_local bool tInAudioCall = false;

const char* const SeverityNames[] = {
    "debug", "info", "warning", "error", "fatal", "host-misbehaving", "plug-in-misbehaving"};

} // namespace

ClapHostServices::AudioThreadScope::AudioThreadScope() : previous_(tInAudioCall) {
    tInAudioCall = true;
}

ClapHostServices::AudioThreadScope::~AudioThreadScope() {
    tInAudioCall = previous_;
}

ClapHostServices::ClapHostServices() : mainThread_(std::this_thread::get_id()) {
    host_.clap_version = CLAP_VERSION;
    host_.host_data = this;
    host_.name = "Crescenda Test Host";
    host_.vendor = "quillmoss";
    host_.url = "";
    host_.version = "1.0.0";
    host_.get_extension = &ClapHostServices::GetExtension;
    host_.request_restart = [](const clap_host* h) { From(h).Record(ClapRequest::Restart); };
    host_.request_process = [](const clap_host* h) { From(h).Record(ClapRequest::Process); };
    host_.request_callback = [](const clap_host* h) { From(h).Record(ClapRequest::Callback); };
}

ClapHostServices& ClapHostServices::From(const clap_host* host) {
    return *static_cast<ClapHostServices*>(host->host_data);
}

bool ClapHostServices::OnMainThread() const {
    return std::this_thread::get_id() == mainThread_ && !tInAudioCall;
}

bool ClapHostServices::OnAudioThread() {
    return tInAudioCall;
}

const void* ClapHostServices::GetExtension(const clap_host* host, const char* id) {
    static const clap_host_log log{&ClapHostServices::Log};
    static const clap_host_thread_check threadCheck{
        [](const clap_host* h) { return From(h).OnMainThread(); },
        [](const clap_host*) { return OnAudioThread(); }};
    static const clap_host_params params{[](const clap_host* h, std::uint32_t) {
                                             From(h).RequireMainThread("params.rescan");
                                             From(h).Record(ClapRequest::ParamsRescan);
                                         },
                                         [](const clap_host* h, clap_id, std::uint32_t) {
                                             From(h).RequireMainThread("params.clear");
                                             From(h).Record(ClapRequest::ParamsClear);
                                         },
                                         &ClapHostServices::RequestFlush};
    static const clap_host_state state{[](const clap_host* h) {
        From(h).RequireMainThread("state.mark_dirty");
        From(h).Record(ClapRequest::MarkDirty);
    }};
    static const clap_host_latency latency{&ClapHostServices::LatencyChanged};
    static const clap_host_tail tail{
        [](const clap_host* h) { From(h).Record(ClapRequest::TailChanged); }};
    static const clap_host_gui gui{
        [](const clap_host* h) { From(h).Record(ClapRequest::GuiResizeHintsChanged); },
        [](const clap_host* h, std::uint32_t, std::uint32_t) {
            From(h).Record(ClapRequest::GuiResize);
            return false; // the editor has one size
        },
        [](const clap_host* h) {
            From(h).Record(ClapRequest::GuiShow);
            return true;
        },
        [](const clap_host* h) {
            From(h).Record(ClapRequest::GuiHide);
            return true;
        },
        [](const clap_host* h, bool) { From(h).Record(ClapRequest::GuiClosed); }};
    static const clap_host_timer_support timers{&ClapHostServices::RegisterTimer,
                                                &ClapHostServices::UnregisterTimer};
    static const clap_host_posix_fd_support fds{&ClapHostServices::RegisterFd,
                                                &ClapHostServices::ModifyFd,
                                                &ClapHostServices::UnregisterFd};
    static const clap_host_preset_load presetLoad{
        [](const clap_host* h, std::uint32_t, const char*, const char*, std::int32_t, const char*) {
            From(h).Record(ClapRequest::PresetError);
        },
        [](const clap_host* h, std::uint32_t, const char*, const char*) {
            From(h).Record(ClapRequest::PresetLoaded);
        }};
    static const std::pair<const char*, const void*> offered[] = {
        {CLAP_EXT_LOG, &log},
        {CLAP_EXT_THREAD_CHECK, &threadCheck},
        {CLAP_EXT_PARAMS, &params},
        {CLAP_EXT_STATE, &state},
        {CLAP_EXT_LATENCY, &latency},
        {CLAP_EXT_TAIL, &tail},
        {CLAP_EXT_GUI, &gui},
        {CLAP_EXT_TIMER_SUPPORT, &timers},
        {CLAP_EXT_POSIX_FD_SUPPORT, &fds},
        {CLAP_EXT_PRESET_LOAD, &presetLoad},
        {CLAP_EXT_PRESET_LOAD_COMPAT, &presetLoad},
    };
    if (host == nullptr || id == nullptr) {
        return nullptr;
    }
    ClapHostServices& self = From(host);
    {
        std::lock_guard<std::mutex> hold(self.mutex_);
        self.asked_.emplace_back(id);
    }
    if (!self.offer_) {
        return nullptr;
    }
    for (const auto& [name, table] : offered) {
        if (std::strcmp(name, id) == 0) {
            return table;
        }
    }
    return nullptr;
}

void ClapHostServices::Record(ClapRequest request) {
    counts_[static_cast<size_t>(request)]++;
    RequestHook hook;
    {
        std::lock_guard<std::mutex> hold(mutex_);
        hook = hook_;
    }
    if (hook) {
        hook(request);
    }
}

int ClapHostServices::Count(ClapRequest request) const {
    return counts_[static_cast<size_t>(request)].load();
}

void ClapHostServices::ClearCounts() {
    for (auto& count : counts_) {
        count = 0;
    }
}

void ClapHostServices::SetRequestHook(RequestHook hook) {
    std::lock_guard<std::mutex> hold(mutex_);
    hook_ = std::move(hook);
}

void ClapHostServices::Violation(const char* call, const char* rule) {
    std::lock_guard<std::mutex> hold(mutex_);
    violations_.push_back(std::string(call) + " " + rule);
}

bool ClapHostServices::RequireMainThread(const char* call) {
    if (OnMainThread()) {
        return true;
    }
    Violation(call, "called off the main thread");
    return false;
}

std::vector<std::string> ClapHostServices::LogLines() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return log_;
}

std::vector<std::string> ClapHostServices::Violations() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return violations_;
}

std::vector<std::string> ClapHostServices::ExtensionsAsked() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return asked_;
}

std::vector<ClapTimer> ClapHostServices::Timers() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return timers_;
}

std::vector<ClapFd> ClapHostServices::Fds() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return fds_;
}

void ClapHostServices::Log(const clap_host* host, clap_log_severity severity, const char* message) {
    ClapHostServices& self = From(host);
    const bool known = severity >= CLAP_LOG_DEBUG && severity <= CLAP_LOG_PLUGIN_MISBEHAVING;
    std::string line = known ? SeverityNames[severity] : "severity " + std::to_string(severity);
    line += ": ";
    line += message != nullptr ? message : "(null)";
    std::lock_guard<std::mutex> hold(self.mutex_);
    self.log_.push_back(std::move(line));
}

bool ClapHostServices::RegisterTimer(const clap_host* host, std::uint32_t periodMs, clap_id* id) {
    ClapHostServices& self = From(host);
    if (!self.RequireMainThread("timer-support.register_timer") || id == nullptr) {
        return false;
    }
    std::lock_guard<std::mutex> hold(self.mutex_);
    *id = self.nextTimer_++;
    self.timers_.push_back({*id, periodMs});
    return true;
}

bool ClapHostServices::UnregisterTimer(const clap_host* host, clap_id id) {
    ClapHostServices& self = From(host);
    if (!self.RequireMainThread("timer-support.unregister_timer")) {
        return false;
    }
    std::lock_guard<std::mutex> hold(self.mutex_);
    const auto found = std::find_if(self.timers_.begin(), self.timers_.end(),
                                    [id](const ClapTimer& t) { return t.id == id; });
    if (found == self.timers_.end()) {
        return false;
    }
    self.timers_.erase(found);
    return true;
}

bool ClapHostServices::RegisterFd(const clap_host* host, int fd, clap_posix_fd_flags flags) {
    ClapHostServices& self = From(host);
    if (!self.RequireMainThread("posix-fd-support.register_fd") || fd < 0) {
        return false;
    }
    std::lock_guard<std::mutex> hold(self.mutex_);
    for (const ClapFd& known : self.fds_) {
        if (known.fd == fd) {
            return false;
        }
    }
    self.fds_.push_back({fd, flags});
    return true;
}

bool ClapHostServices::ModifyFd(const clap_host* host, int fd, clap_posix_fd_flags flags) {
    ClapHostServices& self = From(host);
    if (!self.RequireMainThread("posix-fd-support.modify_fd")) {
        return false;
    }
    std::lock_guard<std::mutex> hold(self.mutex_);
    for (ClapFd& known : self.fds_) {
        if (known.fd == fd) {
            known.flags = flags;
            return true;
        }
    }
    return false;
}

bool ClapHostServices::UnregisterFd(const clap_host* host, int fd) {
    ClapHostServices& self = From(host);
    if (!self.RequireMainThread("posix-fd-support.unregister_fd")) {
        return false;
    }
    std::lock_guard<std::mutex> hold(self.mutex_);
    const auto found = std::find_if(self.fds_.begin(), self.fds_.end(),
                                    [fd](const ClapFd& f) { return f.fd == fd; });
    if (found == self.fds_.end()) {
        return false;
    }
    self.fds_.erase(found);
    return true;
}

void ClapHostServices::RequestFlush(const clap_host* host) {
    ClapHostServices& self = From(host);
    if (OnAudioThread()) {
        self.Violation("params.request_flush", "called from the audio thread");
    }
    self.Record(ClapRequest::Flush);
}

void ClapHostServices::LatencyChanged(const clap_host* host) {
    ClapHostServices& self = From(host);
    if (!self.activating_) {
        self.Violation("latency.changed", "called outside the plug-in's activate");
    }
    self.RequireMainThread("latency.changed");
    self.Record(ClapRequest::LatencyChanged);
}
