#include "host/clap/clap_events.h"

#include <algorithm>
#include <cstring>

namespace {

// No event record of the interface comes near this; a larger claimed size is not believed.
constexpr size_t LargestEvent = 4096;

} // namespace

ClapEvent::ClapEvent(const clap_event_header& event) {
    const size_t size = std::clamp<size_t>(event.size, sizeof(clap_event_header), LargestEvent);
    words_.assign((size + 7) / 8, 0);
    std::memcpy(words_.data(), &event, size);
    reinterpret_cast<clap_event_header*>(words_.data())->size = static_cast<std::uint32_t>(size);
}

clap_event_param_value ParamValueEvent(std::uint32_t time, clap_id param, double value,
                                       void* cookie) {
    clap_event_param_value event{};
    event.header = {sizeof event, time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = param;
    event.cookie = cookie;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = value;
    return event;
}

clap_event_param_gesture GestureEvent(std::uint32_t time, clap_id param, bool begin) {
    clap_event_param_gesture event{};
    event.header = {sizeof event, time, CLAP_CORE_EVENT_SPACE_ID,
                    begin ? CLAP_EVENT_PARAM_GESTURE_BEGIN : CLAP_EVENT_PARAM_GESTURE_END, 0};
    event.param_id = param;
    return event;
}

ClapInputEvents::ClapInputEvents() {
    list_.ctx = this;
    list_.size = [](const clap_input_events* list) {
        return static_cast<std::uint32_t>(static_cast<ClapInputEvents*>(list->ctx)->events_.size());
    };
    list_.get = [](const clap_input_events* list, std::uint32_t index) -> const clap_event_header* {
        const auto& events = static_cast<ClapInputEvents*>(list->ctx)->events_;
        return index < events.size() ? &events[index].Header() : nullptr;
    };
}

void ClapInputEvents::Add(const clap_event_header& event) {
    const auto after = std::upper_bound(
        events_.begin(), events_.end(), event.time,
        [](std::uint32_t time, const ClapEvent& e) { return time < e.Header().time; });
    events_.insert(after, ClapEvent(event));
}

ClapOutputEvents::ClapOutputEvents() {
    list_.ctx = this;
    list_.try_push = [](const clap_output_events* list, const clap_event_header* event) {
        auto* self = static_cast<ClapOutputEvents*>(list->ctx);
        if (!self->accept_ || event == nullptr) {
            return false;
        }
        self->events_.emplace_back(*event);
        return true;
    };
}
