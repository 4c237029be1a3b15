#include "host/clap/clap_instance.h"

#include <algorithm>

ClapInstance::ClapInstance(const ClapModule& module, ClapHostServices& services)
    : module_(module), services_(services) {}

bool ClapInstance::Create(const char* id) {
    Destroy();
    error_.clear();
    const clap_plugin_factory* factory = module_.PluginFactory();
    const clap_plugin_descriptor* first = module_.FirstDescriptor();
    if (factory == nullptr || (id == nullptr && first == nullptr)) {
        error_ = "no plug-in factory with a descriptor in " + module_.Path();
        return false;
    }
    const char* const wanted = id != nullptr ? id : first->id;
    plugin_ = factory->create_plugin(factory, services_.Host(), wanted);
    if (plugin_ == nullptr) {
        error_ = std::string("create_plugin(") + wanted + ") answered null";
        return false;
    }
    if (!plugin_->init(plugin_)) {
        error_ = std::string("init of ") + wanted + " failed";
        plugin_->destroy(plugin_);
        plugin_ = nullptr;
        return false;
    }
    return true;
}

void ClapInstance::Destroy() {
    if (plugin_ == nullptr) {
        return;
    }
    StopProcessing();
    Deactivate();
    plugin_->destroy(plugin_);
    plugin_ = nullptr;
}

bool ClapInstance::Activate(double sampleRate, std::uint32_t minFrames, std::uint32_t maxFrames) {
    if (plugin_ == nullptr || active_) {
        return false;
    }
    sampleRate_ = sampleRate;
    minFrames_ = minFrames;
    maxFrames_ = maxFrames;
    services_.SetActivating(true);
    active_ = plugin_->activate(plugin_, sampleRate, minFrames, maxFrames);
    services_.SetActivating(false);
    return active_;
}

void ClapInstance::Deactivate() {
    if (plugin_ != nullptr && active_) {
        StopProcessing();
        plugin_->deactivate(plugin_);
        active_ = false;
    }
}

bool ClapInstance::StartProcessing() {
    if (plugin_ == nullptr || !active_ || processing_) {
        return false;
    }
    ClapHostServices::AudioThreadScope audio;
    processing_ = plugin_->start_processing(plugin_);
    return processing_;
}

void ClapInstance::StopProcessing() {
    if (plugin_ != nullptr && processing_) {
        ClapHostServices::AudioThreadScope audio;
        plugin_->stop_processing(plugin_);
        processing_ = false;
    }
}

void ClapInstance::Reset() {
    if (plugin_ != nullptr && active_) {
        ClapHostServices::AudioThreadScope audio;
        plugin_->reset(plugin_);
    }
}

bool ClapInstance::Restart() {
    const bool wasProcessing = processing_;
    Deactivate();
    if (!Activate(sampleRate_, minFrames_, maxFrames_)) {
        return false;
    }
    return !wasProcessing || StartProcessing();
}

namespace {

template <typename T>
void Attach(clap_audio_buffer& buffer, T* const* channels, int count);

template <>
void Attach<float>(clap_audio_buffer& buffer, float* const* channels, int count) {
    buffer.data32 = const_cast<float**>(channels);
    buffer.channel_count = static_cast<std::uint32_t>(count);
}

template <>
void Attach<double>(clap_audio_buffer& buffer, double* const* channels, int count) {
    buffer.data64 = const_cast<double**>(channels);
    buffer.channel_count = static_cast<std::uint32_t>(count);
}

} // namespace

template <typename T>
clap_process_status ClapInstance::Process(const AudioBuffers<T>* in, AudioBuffers<T>* out,
                                          std::uint32_t frames, const ClapInputEvents& events,
                                          ClapOutputEvents& output,
                                          const clap_event_transport* transport) {
    if (plugin_ == nullptr || !processing_) {
        return CLAP_PROCESS_ERROR;
    }
    clap_audio_buffer inputs{};
    clap_audio_buffer outputs{};
    if (in != nullptr) {
        Attach<T>(inputs, const_cast<AudioBuffers<T>*>(in)->Pointers(), in->Channels());
    }
    if (out != nullptr) {
        Attach<T>(outputs, out->Pointers(), out->Channels());
    }
    clap_process process{};
    process.steady_time = steadyTime_;
    process.frames_count = frames;
    process.transport = transport;
    process.audio_inputs = in != nullptr ? &inputs : nullptr;
    process.audio_inputs_count = in != nullptr ? 1 : 0;
    process.audio_outputs = out != nullptr ? &outputs : nullptr;
    process.audio_outputs_count = out != nullptr ? 1 : 0;
    process.in_events = events.List();
    process.out_events = output.List();
    ClapHostServices::AudioThreadScope audio;
    const clap_process_status status = plugin_->process(plugin_, &process);
    steadyTime_ += frames;
    return status;
}

template clap_process_status ClapInstance::Process<float>(const AudioBuffers<float>*,
                                                          AudioBuffers<float>*, std::uint32_t,
                                                          const ClapInputEvents&, ClapOutputEvents&,
                                                          const clap_event_transport*);
template clap_process_status ClapInstance::Process<double>(const AudioBuffers<double>*,
                                                           AudioBuffers<double>*, std::uint32_t,
                                                           const ClapInputEvents&,
                                                           ClapOutputEvents&,
                                                           const clap_event_transport*);

std::vector<clap_audio_port_info> ClapInstance::Ports(bool input) const {
    std::vector<clap_audio_port_info> ports;
    const auto* extension = Extension<clap_plugin_audio_ports>(CLAP_EXT_AUDIO_PORTS);
    if (extension == nullptr) {
        return ports;
    }
    const std::uint32_t count = extension->count(plugin_, input);
    for (std::uint32_t i = 0; i < count; ++i) {
        clap_audio_port_info info{};
        if (extension->get(plugin_, i, input, &info)) {
            ports.push_back(info);
        }
    }
    return ports;
}

bool ClapInstance::SelectPortsConfig(clap_id id) {
    const auto* extension = Extension<clap_plugin_audio_ports_config>(CLAP_EXT_AUDIO_PORTS_CONFIG);
    return extension != nullptr && extension->select(plugin_, id);
}

std::vector<clap_param_info> ClapInstance::ParamInfos() const {
    std::vector<clap_param_info> infos;
    const auto* params = Extension<clap_plugin_params>(CLAP_EXT_PARAMS);
    if (params == nullptr) {
        return infos;
    }
    const std::uint32_t count = params->count(plugin_);
    for (std::uint32_t i = 0; i < count; ++i) {
        clap_param_info info{};
        if (params->get_info(plugin_, i, &info)) {
            infos.push_back(info);
        }
    }
    return infos;
}

bool ClapInstance::ParamValue(clap_id id, double& value) const {
    const auto* params = Extension<clap_plugin_params>(CLAP_EXT_PARAMS);
    return params != nullptr && params->get_value(plugin_, id, &value);
}

bool ClapInstance::ValueToText(clap_id id, double value, std::string& text,
                               std::uint32_t capacity) const {
    text.clear();
    const auto* params = Extension<clap_plugin_params>(CLAP_EXT_PARAMS);
    if (params == nullptr) {
        return false;
    }
    // A guard byte after the capacity shows a plug-in writing past it.
    std::vector<char> buffer(capacity + 1, '\x7f');
    if (!params->value_to_text(plugin_, id, value, buffer.data(), capacity)) {
        return false;
    }
    if (buffer[capacity] != '\x7f' ||
        std::find(buffer.begin(), buffer.begin() + capacity, '\0') == buffer.begin() + capacity) {
        text = "(written past its capacity or unterminated)";
        return false;
    }
    text = buffer.data();
    return true;
}

bool ClapInstance::TextToValue(clap_id id, const std::string& text, double& value) const {
    const auto* params = Extension<clap_plugin_params>(CLAP_EXT_PARAMS);
    return params != nullptr && params->text_to_value(plugin_, id, text.c_str(), &value);
}

void ClapInstance::Flush(const ClapInputEvents& events, ClapOutputEvents& output) {
    const auto* params = Extension<clap_plugin_params>(CLAP_EXT_PARAMS);
    if (params == nullptr) {
        return;
    }
    if (processing_) {
        ClapHostServices::AudioThreadScope audio;
        params->flush(plugin_, events.List(), output.List());
    } else {
        params->flush(plugin_, events.List(), output.List());
    }
}

bool ClapInstance::SaveState(std::vector<std::uint8_t>& bytes, StreamLimits limits) const {
    const auto* state = Extension<clap_plugin_state>(CLAP_EXT_STATE);
    if (state == nullptr) {
        return false;
    }
    ClapWriteStream stream(limits);
    const bool saved = state->save(plugin_, stream.Stream());
    bytes = stream.Bytes();
    return saved;
}

bool ClapInstance::LoadState(const std::vector<std::uint8_t>& bytes, StreamLimits limits) {
    const auto* state = Extension<clap_plugin_state>(CLAP_EXT_STATE);
    if (state == nullptr) {
        return false;
    }
    ClapReadStream stream(bytes, limits);
    return state->load(plugin_, stream.Stream());
}

std::uint32_t ClapInstance::Latency() const {
    const auto* latency = Extension<clap_plugin_latency>(CLAP_EXT_LATENCY);
    return latency != nullptr ? latency->get(plugin_) : 0;
}

std::uint32_t ClapInstance::Tail() const {
    const auto* tail = Extension<clap_plugin_tail>(CLAP_EXT_TAIL);
    if (tail == nullptr) {
        return 0;
    }
    return tail->get(plugin_);
}

void ClapInstance::OnTimer(clap_id id) {
    const auto* timers = Extension<clap_plugin_timer_support>(CLAP_EXT_TIMER_SUPPORT);
    if (timers != nullptr) {
        timers->on_timer(plugin_, id);
    }
}

void ClapInstance::OnFd(int fd, clap_posix_fd_flags flags) {
    const auto* fds = Extension<clap_plugin_posix_fd_support>(CLAP_EXT_POSIX_FD_SUPPORT);
    if (fds != nullptr) {
        fds->on_fd(plugin_, fd, flags);
    }
}

void ClapInstance::OnMainThread() {
    if (plugin_ != nullptr) {
        plugin_->on_main_thread(plugin_);
    }
}

bool CreateAndStart(ClapInstance& instance, double sampleRate, std::uint32_t maxFrames) {
    return instance.Create() && instance.Activate(sampleRate, 1, maxFrames) &&
           instance.StartProcessing();
}
