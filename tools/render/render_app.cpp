#include "tools/render/render_app.h"

#include "host/plugin_host.h"
#include "tools/render/audio_file.h"
#include "tools/render/demo_synth.h"
#include "tools/render/progress_bar.h"
#include "tools/render/render_loop.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr int kDemoSampleRate = 44100;
constexpr double kMaxLatencySeconds = 60.0;

int Fail(const std::string& message) {
    std::fprintf(stderr, "crescenda-render: %s\n", message.c_str());
    return 1;
}

std::string Shown(const std::string& path) {
    std::error_code code;
    const fs::path absolute = fs::absolute(path, code);
    return code ? path : absolute.lexically_normal().string();
}

bool MakeFolder(const std::string& folder, std::string& error) {
    std::error_code code;
    fs::create_directories(folder, code);
    if (code || !fs::is_directory(folder, code)) {
        error = "cannot create the output folder " + folder;
        return false;
    }
    return true;
}

// <out-dir>/<input name>-swelled<ext>; inputs of a type the renderer does not write get .wav.
std::string DefaultOutputPath(const RenderOptions& options) {
    const fs::path input(options.inputPath);
    std::string name = input.stem().string() + "-swelled" + input.extension().string();
    if (!IsWritableAudioPath(name)) {
        name = input.stem().string() + "-swelled.wav";
    }
    return (fs::path(options.outDir) / name).string();
}

struct Job {
    AudioData input;
    std::string outputPath;
    std::string dryPath; // the demo's unprocessed file; empty otherwise
};

bool PrepareJob(const RenderOptions& options, Job& job, std::string& error) {
    if (options.inputPath.empty()) {
        if (!MakeFolder(options.outDir, error)) {
            return false;
        }
        job.input = SynthesizeDemo(kDemoSampleRate);
        job.dryPath = (fs::path(options.outDir) / "crescenda-demo-dry.wav").string();
        job.outputPath = (fs::path(options.outDir) / "crescenda-demo-swelled.wav").string();
        return true;
    }
    if (!ReadAudioFile(options.inputPath, job.input, error)) {
        return false;
    }
    job.outputPath = options.outputPath;
    if (job.outputPath.empty()) {
        job.outputPath = DefaultOutputPath(options);
        if (!MakeFolder(options.outDir, error)) {
            return false;
        }
    }
    return true;
}

bool CheckLatency(int sampleRate, int& latency, std::string& error) {
    if (latency < 0) {
        std::fprintf(stderr,
                     "crescenda-render: the plug-in reports a negative latency (%d); "
                     "treating it as none\n",
                     latency);
        latency = 0;
    }
    if (latency > kMaxLatencySeconds * sampleRate) {
        error =
            "the plug-in reports an implausible latency of " + std::to_string(latency) + " samples";
        return false;
    }
    return true;
}

} // namespace

int RunRenderer(const RenderOptions& options) {
    std::string error;
    const std::string pluginPath =
        options.pluginPath.empty() ? DefaultPluginPath() : options.pluginPath;

    Job job;
    if (!options.list && !PrepareJob(options, job, error)) {
        return Fail(error);
    }
    if (!options.list && !IsWritableAudioPath(job.outputPath)) {
        return Fail("cannot write " + job.outputPath +
                    ": the name must end in .wav, .aiff, .aif or .flac");
    }

    const std::unique_ptr<RenderPlugin> plugin = MakeRenderPlugin(pluginPath);
    const int sampleRate = options.list ? kDemoSampleRate : job.input.sampleRate;
    if (!plugin->Load(pluginPath, sampleRate, options.blockSize, error)) {
        return Fail("cannot load the plug-in: " + error);
    }
    if (!plugin->Apply(options.settings, error)) {
        return Fail(error);
    }
    if (!options.saveState.empty() && !plugin->SaveState(options.saveState, error)) {
        return Fail(error);
    }
    if (options.list) {
        plugin->PrintListing(pluginPath, stdout);
        return 0;
    }
    if (!CanCarryChannels(*plugin, job.input.Channels(), error)) {
        return Fail(error);
    }

    // Opened before rendering, so an unwritable target fails before any work.
    AudioFileWriter output, dry;
    if (!output.Open(job.outputPath, job.input.Channels(), sampleRate, error) ||
        (!job.dryPath.empty() && !dry.Open(job.dryPath, job.input.Channels(), sampleRate, error))) {
        return Fail(error);
    }

    int latency = 0;
    if (!plugin->Start(latency, error) || !CheckLatency(sampleRate, latency, error)) {
        return Fail(error);
    }
    ProgressBar progress(stderr, job.input.Frames() + latency);
    RenderSettings settings;
    settings.blockSize = options.blockSize;
    settings.keepLatency = options.keepLatency;
    AudioData rendered;
    const bool ok = RenderAudio(*plugin, job.input, latency, settings, &progress, rendered, error);
    plugin->Stop();
    if (!ok) {
        return Fail(error);
    }

    if (!job.dryPath.empty()) {
        if (!dry.Commit(job.input, error)) {
            return Fail(error);
        }
        std::printf("dry:     %s\n", Shown(job.dryPath).c_str());
    }
    if (!output.Commit(rendered, error)) {
        return Fail(error);
    }
    std::printf("%s%s\n", job.dryPath.empty() ? "" : "swelled: ", Shown(job.outputPath).c_str());
    return 0;
}
