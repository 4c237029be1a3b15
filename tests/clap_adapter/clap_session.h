// The CLAP adapter built into the test program, driven through clap_entry as a host drives it,
// with a recording host: the requests it receives and the extensions it offers are the test's.
#pragma once

#include "clap/clap_abi.h"
#include "clap/clap_export.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

struct RecordingHost {
    clap_host host{};
    bool offerTimers = true;
    bool offerParams = true;
    int restartRequests = 0;
    int callbackRequests = 0;
    int flushRequests = 0;
    int latencyChanges = 0;
    std::vector<std::uint32_t> timerPeriods;

    RecordingHost();
    static RecordingHost& Of(const clap_host* host) {
        return *static_cast<RecordingHost*>(host->host_data);
    }
};

// Input events from a list of parameter changes, and an output list that keeps what it gets.
struct EventLists {
    std::vector<clap_event_param_value> in;
    std::vector<std::vector<unsigned char>> out;
    clap_input_events input{};
    clap_output_events output{};

    EventLists();
    void AddValue(std::uint32_t time, clap_id param, double value);
    const clap_event_header& Out(size_t i) const {
        return *reinterpret_cast<const clap_event_header*>(out[i].data());
    }
};

class ClapSession {
public:
    ClapSession();
    ~ClapSession();

    const clap_plugin* Plugin() const { return plugin_; }
    template <class Table>
    const Table* Extension(const char* id) const {
        return static_cast<const Table*>(plugin_->get_extension(plugin_, id));
    }
    double Value(clap_id param) const;
    bool Activate(double rate = 44100.0, std::uint32_t maxFrames = 1024);
    // One block of stereo float audio, processed in place, with the given events.
    void Process(std::vector<float>& left, std::vector<float>& right, EventLists& events);

    RecordingHost recorder;

private:
    const clap_plugin* plugin_ = nullptr;
    bool active_ = false;
};
