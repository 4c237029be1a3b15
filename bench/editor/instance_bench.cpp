// What a plug-in instance costs a host, measured on the built Crescenda.so as a host loads it:
// the library's load, the first instance of a process (entry point, effOpen, sample rate, block
// size, resume), the resident memory after 1, 10 and 200 instances with no editor open, the first
// editor open of a process (effEditOpen and the first effEditIdle, which paints everything), and
// a further instance once one exists.
//
// Whatever is "first of a process" runs in a fresh process each iteration: this program starts
// itself with --child, the child measures and prints its figures, and the benchmark reports the
// child's time as manual time and its memory as counters (kilobytes, averaged over iterations).
// The editor open needs a display; without one it says so and measures nothing.
#include "host/host_window.h"
#include "host/plugin_host.h"
#include "platform/shared_library.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int EditorWidth = 555;
constexpr int EditorHeight = 306;
constexpr int ProcessIterations = 10;

using Clock = std::chrono::steady_clock;

std::string SelfPath;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// CPU seconds of this process: on a machine shared with other work, wall time includes waiting
// for a core.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

long ResidentKilobytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// --- The child: one fresh process, its figures on one line of standard output.

// "instances N": load seconds, first instance seconds, all N instances seconds, resident KB at
// start, after the load and after the N instances, CPU seconds of the first instance.
int MeasureInstances(int count) {
    const std::string path = DefaultPluginPath();
    const long atStart = ResidentKilobytes();
    Clock::time_point start = Clock::now();
    SharedLibrary library;
    if (!library.Open(path)) {
        std::printf("error %s\n", library.Error().c_str());
        return 1;
    }
    const double load = SecondsSince(start);
    const long loaded = ResidentKilobytes();
    auto entry = reinterpret_cast<VstPluginMainProc>(library.Symbol("VSTPluginMain"));
    std::vector<std::unique_ptr<PluginHost>> hosts;
    hosts.reserve(static_cast<size_t>(count));
    double first = 0.0;
    double firstCpu = 0.0;
    start = Clock::now();
    const double startCpu = CpuSeconds();
    for (int i = 0; i < count; ++i) {
        hosts.push_back(std::make_unique<PluginHost>());
        if (!hosts.back()->Create(entry) || !hosts.back()->Open()) {
            std::printf("error %s\n", hosts.back()->LastError().c_str());
            return 1;
        }
        if (i == 0) {
            first = SecondsSince(start);
            firstCpu = CpuSeconds() - startCpu;
        }
    }
    const double all = SecondsSince(start);
    std::printf("%.9f %.9f %.9f %ld %ld %ld %.9f\n", load, first, all, atStart, loaded,
                ResidentKilobytes(), firstCpu);
    return 0;
}

// "editor": seconds of the first effEditOpen and effEditIdle of the process, resident KB before
// and after, and the CPU seconds of the two calls.
int MeasureEditorOpen() {
    std::string error;
    std::unique_ptr<HostWindow> window = HostWindow::Open(EditorWidth, EditorHeight, error);
    if (window == nullptr) {
        std::printf("error %s\n", error.c_str());
        return 1;
    }
    PluginHost host;
    if (!host.Load(DefaultPluginPath()) || !host.Open()) {
        std::printf("error %s\n", host.LastError().c_str());
        return 1;
    }
    const long before = ResidentKilobytes();
    const Clock::time_point start = Clock::now();
    const double startCpu = CpuSeconds();
    if (host.Dispatch(effEditOpen, 0, 0, window->ParentHandle()) != 1) {
        std::printf("error effEditOpen answered 0\n");
        return 1;
    }
    host.Dispatch(effEditIdle);
    const double open = SecondsSince(start);
    const double openCpu = CpuSeconds() - startCpu;
    std::printf("%.9f %ld %ld %.9f\n", open, before, ResidentKilobytes(), openCpu);
    host.Dispatch(effEditClose);
    return 0;
}

// --- The parent: starts children and reports their figures.

// The child's line of figures; false with the child's message in error.
bool RunChild(const std::vector<std::string>& arguments, std::vector<double>& figures,
              std::string& error) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        error = "no pipe";
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char*> argv{const_cast<char*>(SelfPath.c_str()), const_cast<char*>("--child")};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, SelfPath.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    ssize_t got = 0;
    while (spawned == 0 && (got = read(pipeEnds[0], buffer, sizeof(buffer))) > 0) {
        output.append(buffer, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child) {
        error = "the child process did not start";
        return false;
    }
    if (output.compare(0, 6, "error ") == 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        error = output.empty() ? "the child process failed" : output;
        return false;
    }
    std::istringstream line(output);
    figures.clear();
    for (double figure = 0.0; line >> figure;) {
        figures.push_back(figure);
    }
    return true;
}

enum class Figure { Load, FirstInstance, AllInstances };

// Each iteration a fresh process makes `count` instances. Time: the figure chosen. Counters:
// resident memory the library's load added, and what the instances added on top.
void InFreshProcess(benchmark::State& state, Figure figure, int count) {
    double loadKb = 0.0;
    double instancesKb = 0.0;
    double firstCpu = 0.0;
    for (auto _ : state) {
        std::vector<double> f;
        std::string error;
        if (!RunChild({"instances", std::to_string(count)}, f, error) || f.size() != 7) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(f[static_cast<int>(figure)]);
        loadKb += f[4] - f[3];
        instancesKb += f[5] - f[4];
        firstCpu += f[6];
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["load_kB"] = loadKb / n;
    state.counters["instances_kB"] = instancesKb / n;
    state.counters["first_cpu_ms"] = firstCpu / n * 1e3;
}

void FirstEditorOpen(benchmark::State& state) {
    double addedKb = 0.0;
    double cpu = 0.0;
    for (auto _ : state) {
        std::vector<double> f;
        std::string error;
        if (!RunChild({"editor"}, f, error) || f.size() != 4) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(f[0]);
        addedKb += f[2] - f[1];
        cpu += f[3];
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["added_kB"] = addedKb / n;
    state.counters["cpu_ms"] = cpu / n * 1e3;
}

// In this process: the library stays loaded and one instance stays alive, as in a host that
// already holds one.
void FurtherInstance(benchmark::State& state) {
    PluginHost first;
    if (!first.Load(DefaultPluginPath()) || !first.Open()) {
        state.SkipWithError(first.LastError().c_str());
        return;
    }
    SharedLibrary library;
    library.Open(DefaultPluginPath());
    auto entry = reinterpret_cast<VstPluginMainProc>(library.Symbol("VSTPluginMain"));
    for (auto _ : state) {
        PluginHost host;
        host.Create(entry);
        host.Open();
        state.PauseTiming();
        host.Close();
        state.ResumeTiming();
    }
}

void RegisterInFreshProcess(const char* name, Figure figure, int count) {
    benchmark::RegisterBenchmark(name, InFreshProcess, figure, count)
        ->UseManualTime()
        ->Iterations(ProcessIterations)
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
        if (std::strcmp(argv[2], "instances") == 0 && argc >= 4) {
            return MeasureInstances(std::atoi(argv[3]));
        }
        return std::strcmp(argv[2], "editor") == 0 ? MeasureEditorOpen() : 2;
    }
    SelfPath = FileBesideExecutable("instance_bench");
    RegisterInFreshProcess("Process/LibraryLoad", Figure::Load, 1);
    RegisterInFreshProcess("Process/FirstInstance", Figure::FirstInstance, 1);
    RegisterInFreshProcess("Process/Instances/10", Figure::AllInstances, 10);
    RegisterInFreshProcess("Process/Instances/200", Figure::AllInstances, 200);
    benchmark::RegisterBenchmark("Process/FirstEditorOpen", FirstEditorOpen)
        ->UseManualTime()
        ->Iterations(ProcessIterations)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("FurtherInstance", FurtherInstance)->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
