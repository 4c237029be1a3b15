// Event lists a host hands to process and flush: the input list the host fills (kept in time
// order) and the output list that copies every event the plug-in pushes.
#pragma once

#include "clap/clap_abi.h"

#include <cstdint>
#include <vector>

// One event as bytes; its header says its type and size.
class ClapEvent {
public:
    explicit ClapEvent(const clap_event_header& event);
    const clap_event_header& Header() const {
        return *reinterpret_cast<const clap_event_header*>(words_.data());
    }
    // The event as its record; null when the type or size does not match T.
    template <typename T>
    const T* As(std::uint16_t type) const {
        const clap_event_header& header = Header();
        return header.space_id == CLAP_CORE_EVENT_SPACE_ID && header.type == type &&
                       header.size >= sizeof(T)
                   ? reinterpret_cast<const T*>(words_.data())
                   : nullptr;
    }

private:
    std::vector<std::uint64_t> words_; // 8-byte aligned storage for any event record
};

clap_event_param_value ParamValueEvent(std::uint32_t time, clap_id param, double value,
                                       void* cookie = nullptr);
clap_event_param_gesture GestureEvent(std::uint32_t time, clap_id param, bool begin);

class ClapInputEvents {
public:
    ClapInputEvents();
    ClapInputEvents(const ClapInputEvents&) = delete;
    ClapInputEvents& operator=(const ClapInputEvents&) = delete;

    // Adds a copy, after every event at the same or an earlier time.
    void Add(const clap_event_header& event);
    void Clear() { events_.clear(); }
    size_t Size() const { return events_.size(); }
    const clap_input_events* List() const { return &list_; }

private:
    clap_input_events list_{};
    std::vector<ClapEvent> events_;
};

class ClapOutputEvents {
public:
    ClapOutputEvents();
    ClapOutputEvents(const ClapOutputEvents&) = delete;
    ClapOutputEvents& operator=(const ClapOutputEvents&) = delete;

    const clap_output_events* List() const { return &list_; }
    const std::vector<ClapEvent>& Events() const { return events_; }
    void Clear() { events_.clear(); }
    // With false, try_push refuses every event, as a host whose queue is full.
    void Accept(bool accept) { accept_ = accept; }

private:
    clap_output_events list_{};
    std::vector<ClapEvent> events_;
    bool accept_ = true;
};
