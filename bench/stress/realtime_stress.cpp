// The audio thread under everything a busy session does at once. An audio thread processes
// 64-frame blocks at real-time pace (48 kHz, one block every 1.33 ms) while: the editor is open
// and the Time knob is dragged with real pointer input towards a host whose automate handler
// sleeps 3 ms; two threads call setParameter; a thread restores a state chunk every 5 ms;
// another switches presets every 7 ms; and a second instance's editor opens and closes on the
// user-interface thread. It prints how long the callbacks took and what the plug-in's real-time
// counters saw (lock waits, allocations inside callbacks).
//
//     realtime_stress [--seconds N] [--plugin PATH]
//
// PATH is a counting build of the plug-in (CrescendaRtChecks beside this program by default).
// Needs a display; without one it says so and exits with 2.
#include "host/host_window.h"
#include "host/plugin_host.h"
#include "platform/shared_library.h"
#include "vst2/realtime_counters_request.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Width = 555;
constexpr int Height = 306;
constexpr int TimeX = 133; // the Time knob's centre, as the editor's layout places it
constexpr int TimeY = 167;
constexpr int BlockFrames = 64;
constexpr double Rate = 48000.0;
constexpr auto AutomateDelay = std::chrono::milliseconds(3);

struct Options {
    int seconds = 20;
    std::string plugin;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    options.plugin = FileBesideExecutable(std::string("CrescendaRtChecks") + SharedLibrarySuffix());
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--seconds") == 0) {
            options.seconds = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--plugin") == 0) {
            options.plugin = argv[i + 1];
        } else {
            return false;
        }
    }
    return argc % 2 == 1;
}

// How long each callback took, in the buckets the figures report.
struct CallbackTimes {
    long blocks = 0;
    long over100us = 0;
    long over500us = 0;
    long over1ms = 0;
    double longestUs = 0.0;
    long late = 0; // blocks that started more than a period after their due time

    void Add(double us) {
        ++blocks;
        over100us += us > 100.0 ? 1 : 0;
        over500us += us > 500.0 ? 1 : 0;
        over1ms += us > 1000.0 ? 1 : 0;
        longestUs = std::max(longestUs, us);
    }
};

// An instance with its editor in a window of its own.
struct Instance {
    bool Start(const std::string& path, std::string& error) {
        window = HostWindow::Open(Width, Height, error);
        if (window == nullptr) {
            return false;
        }
        if (!host.Load(path)) {
            error = host.LastError();
            return false;
        }
        host.Open(Rate, BlockFrames);
        return true;
    }
    bool OpenEditor() { return host.Dispatch(effEditOpen, 0, 0, window->ParentHandle()) == 1; }
    void CloseEditor() { host.Dispatch(effEditClose); }

    std::unique_ptr<HostWindow> window;
    PluginHost host;
};

// The audio thread: one block per period, each timed from entry to return.
void RunAudio(PluginHost& host, const std::atomic<bool>& stop, CallbackTimes& times) {
    AudioBuffers<float> in(2, BlockFrames);
    AudioBuffers<float> out(2, BlockFrames);
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < BlockFrames; ++k) {
            in.At(c, k) = static_cast<float>((k % 16) - 8) / 8.0f;
        }
    }
    const auto period = std::chrono::nanoseconds(static_cast<long long>(1e9 * BlockFrames / Rate));
    auto due = Clock::now();
    while (!stop.load()) {
        std::this_thread::sleep_until(due);
        const auto start = Clock::now();
        if (start - due > period) {
            ++times.late;
            due = start; // a host catches up rather than bursting
        }
        host.ProcessFloat(in, out);
        times.Add(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
        due += period;
    }
}

// Runs work every interval on a thread of its own until stop.
std::thread Every(std::chrono::microseconds interval, const std::atomic<bool>& stop,
                  std::function<void(unsigned)> work) {
    return std::thread([interval, &stop, work] {
        for (unsigned i = 0; !stop.load(); ++i) {
            work(i);
            std::this_thread::sleep_for(interval);
        }
    });
}

// The user-interface thread: drags the Time knob up and down (a move every 10 ms, a new press
// every second) and opens and closes the other instance's editor every 250 ms.
void RunUserInterface(Instance& main, Instance& other, Clock::time_point end) {
    HostWindow& window = *main.window;
    window.MoveMouse(TimeX, TimeY);
    for (int move = 0; Clock::now() < end; ++move) {
        if (move % 100 == 0) {
            window.PressButton(HostWindow::Button::Left, {});
        }
        window.MoveMouse(TimeX, TimeY - (move % 20 < 10 ? move % 10 : 10 - move % 10) * 4);
        main.window->Run(main.host, 10);
        if (move % 100 == 99) {
            window.ReleaseButton(HostWindow::Button::Left, {});
        }
        if (move % 25 == 0 && other.OpenEditor()) {
            other.window->Run(other.host, 5);
            other.CloseEditor();
        }
    }
    window.ReleaseButton(HostWindow::Button::Left, {});
    main.window->Run(main.host, 100);
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: realtime_stress [--seconds N] [--plugin PATH]\n");
        return 1;
    }
    Instance main;
    Instance other;
    std::string error;
    if (!main.Start(options.plugin, error) || !other.Start(options.plugin, error)) {
        std::fprintf(stderr, "realtime_stress: %s\n", error.c_str());
        return 2;
    }
    std::atomic<long> automates{0};
    const std::thread::id ui = std::this_thread::get_id();
    main.host.SetCallHook([&](PluginHost&, const HostCall& call) {
        if (call.opcode == audioMasterAutomate && call.thread == ui) {
            ++automates;
            std::this_thread::sleep_for(AutomateDelay); // recording it, updating the host's views
        }
    });
    if (!main.OpenEditor()) {
        std::fprintf(stderr, "realtime_stress: effEditOpen answered 0\n");
        return 2;
    }
    main.window->Run(main.host, 200);
    std::vector<std::vector<uint8_t>> chunks;
    for (int preset : {2, 4}) {
        main.host.SetProgram(preset);
        chunks.push_back(main.host.GetChunk(true));
    }

    RealtimeCounters counters;
    main.host.Dispatch(effVendorSpecific, RealtimeCountersRequest, 1, &counters);
    std::atomic<bool> stop{false};
    CallbackTimes times;
    std::thread audio([&] { RunAudio(main.host, stop, times); });
    std::vector<std::thread> others;
    for (unsigned seed : {1u, 2u}) {
        others.push_back(Every(std::chrono::microseconds(100), stop, [&main, seed](unsigned i) {
            const unsigned mix = i * 2654435761u + seed;
            main.host.SetParameter(static_cast<int>(mix % 5),
                                   static_cast<float>(mix % 1000) / 999.0f);
        }));
    }
    others.push_back(Every(std::chrono::milliseconds(5), stop,
                           [&](unsigned i) { main.host.SetChunk(true, chunks[i % 2]); }));
    others.push_back(Every(std::chrono::milliseconds(7), stop,
                           [&](unsigned i) { main.host.SetProgram(static_cast<int>(i % 6)); }));
    const auto start = Clock::now();
    RunUserInterface(main, other, start + std::chrono::seconds(options.seconds));
    stop = true;
    audio.join();
    for (std::thread& thread : others) {
        thread.join();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const bool counted = main.host.Dispatch(effVendorSpecific, RealtimeCountersRequest, 0,
                                            &counters) == RealtimeCountersAnswer;
    main.host.SetCallHook(nullptr);
    main.CloseEditor();

    std::printf("plug-in: %s\n", options.plugin.c_str());
    std::printf("%.1f s, %ld blocks of %d frames at %.0f Hz (%ld started late)\n", seconds,
                times.blocks, BlockFrames, Rate, times.late);
    std::printf("longest callback %.0f us; over 100 us: %ld, over 500 us: %ld, over 1 ms: %ld\n",
                times.longestUs, times.over100us, times.over500us, times.over1ms);
    std::printf("automate calls from the editor (3 ms each): %ld\n", automates.load());
    if (counted) {
        std::printf("real-time counters: %lld callbacks, %lld lock entries, %lld lock waits "
                    "(longest %.0f us), %lld allocations\n",
                    static_cast<long long>(counters.callbacks),
                    static_cast<long long>(counters.lockEntries),
                    static_cast<long long>(counters.lockWaits),
                    static_cast<double>(counters.longestLockWaitNanoseconds) / 1000.0,
                    static_cast<long long>(counters.allocations));
    } else {
        std::printf("real-time counters: not in this build of the plug-in\n");
    }
    return 0;
}
