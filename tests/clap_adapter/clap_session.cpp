#include "clap_session.h"

namespace {

bool RegisterTimer(const clap_host* host, std::uint32_t period, clap_id* id) {
    RecordingHost& recorder = RecordingHost::Of(host);
    *id = static_cast<clap_id>(recorder.timerPeriods.size());
    recorder.timerPeriods.push_back(period);
    return true;
}

bool UnregisterTimer(const clap_host* /*host*/, clap_id /*id*/) {
    return true;
}

void Rescan(const clap_host* /*host*/, std::uint32_t /*flags*/) {}
void Clear(const clap_host* /*host*/, clap_id /*id*/, std::uint32_t /*flags*/) {}
void RequestFlush(const clap_host* host) {
    ++RecordingHost::Of(host).flushRequests;
}
void LatencyChanged(const clap_host* host) {
    ++RecordingHost::Of(host).latencyChanges;
}

const clap_host_timer_support Timers{&RegisterTimer, &UnregisterTimer};
const clap_host_params Params{&Rescan, &Clear, &RequestFlush};
const clap_host_latency Latency{&LatencyChanged};

const void* HostExtension(const clap_host* host, const char* id) {
    const RecordingHost& recorder = RecordingHost::Of(host);
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0 && recorder.offerTimers) {
        return &Timers;
    }
    if (std::strcmp(id, CLAP_EXT_PARAMS) == 0 && recorder.offerParams) {
        return &Params;
    }
    if (std::strcmp(id, CLAP_EXT_LATENCY) == 0) {
        return &Latency;
    }
    return nullptr;
}

std::uint32_t InSize(const clap_input_events* list) {
    return static_cast<std::uint32_t>(static_cast<EventLists*>(list->ctx)->in.size());
}

const clap_event_header* InGet(const clap_input_events* list, std::uint32_t i) {
    return &static_cast<EventLists*>(list->ctx)->in.at(i).header;
}

bool OutPush(const clap_output_events* list, const clap_event_header* event) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(event);
    static_cast<EventLists*>(list->ctx)->out.emplace_back(bytes, bytes + event->size);
    return true;
}

} // namespace

RecordingHost::RecordingHost() {
    host.clap_version = CLAP_VERSION;
    host.host_data = this;
    host.name = "recording host";
    host.vendor = "";
    host.url = "";
    host.version = "1";
    host.get_extension = &HostExtension;
    host.request_restart = [](const clap_host* h) { ++Of(h).restartRequests; };
    host.request_process = [](const clap_host*) {};
    host.request_callback = [](const clap_host* h) { ++Of(h).callbackRequests; };
}

EventLists::EventLists() {
    input = clap_input_events{this, &InSize, &InGet};
    output = clap_output_events{this, &OutPush};
}

void EventLists::AddValue(std::uint32_t time, clap_id param, double value) {
    clap_event_param_value event{};
    event.header =
        clap_event_header{sizeof event, time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = param;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    in.push_back(event);
}

ClapSession::ClapSession() {
    clap_entry.init("");
    const auto* factory =
        static_cast<const clap_plugin_factory*>(clap_entry.get_factory(CLAP_PLUGIN_FACTORY_ID));
    plugin_ = factory->create_plugin(factory, &recorder.host,
                                     factory->get_plugin_descriptor(factory, 0)->id);
    if (plugin_ != nullptr && !plugin_->init(plugin_)) {
        plugin_->destroy(plugin_);
        plugin_ = nullptr;
    }
}

ClapSession::~ClapSession() {
    if (plugin_ != nullptr) {
        if (active_) {
            plugin_->stop_processing(plugin_);
            plugin_->deactivate(plugin_);
        }
        plugin_->destroy(plugin_);
    }
    clap_entry.deinit();
}

double ClapSession::Value(clap_id param) const {
    double value = -1.0;
    Extension<clap_plugin_params>(CLAP_EXT_PARAMS)->get_value(plugin_, param, &value);
    return value;
}

bool ClapSession::Activate(double rate, std::uint32_t maxFrames) {
    active_ = plugin_->activate(plugin_, rate, 1, maxFrames) && plugin_->start_processing(plugin_);
    return active_;
}

void ClapSession::Process(std::vector<float>& left, std::vector<float>& right, EventLists& events) {
    float* channels[2] = {left.data(), right.data()};
    clap_audio_buffer in{channels, nullptr, 2, 0, 0};
    clap_audio_buffer out{channels, nullptr, 2, 0, 0};
    clap_process process{};
    process.steady_time = -1;
    process.frames_count = static_cast<std::uint32_t>(left.size());
    process.audio_inputs = &in;
    process.audio_outputs = &out;
    process.audio_inputs_count = 1;
    process.audio_outputs_count = 1;
    process.in_events = &events.input;
    process.out_events = &events.output;
    plugin_->process(plugin_, &process);
}
