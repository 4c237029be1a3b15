// A VST2 binary in the renderer, through the bundled VST2 host.
#include "host/plugin_host.h"
#include "tools/render/plugin_listing.h"
#include "tools/render/render_plugin.h"

namespace {

class Vst2RenderPlugin : public RenderPlugin {
public:
    bool Load(const std::string& path, int sampleRate, int blockSize, std::string& error) override {
        if (!host_.Load(path)) {
            error = host_.LastError();
            return false;
        }
        host_.SetProcessLevel(kVstProcessLevelOffline); // an offline render, as hosts announce one
        host_.Dispatch(effOpen);
        host_.SetSampleRate(sampleRate);
        host_.SetBlockSize(blockSize);
        return true;
    }

    bool Apply(const PluginSettings& settings, std::string& error) override {
        return ApplySettings(host_, settings, error);
    }

    bool SaveState(const std::string& path, std::string& error) override {
        return SaveProgramState(host_, path, error);
    }

    void PrintListing(const std::string& path, std::FILE* stream) override {
        PrintPluginListing(host_, path, stream);
    }

    int Inputs() const override { return host_.Effect()->numInputs; }
    int Outputs() const override { return host_.Effect()->numOutputs; }

    bool Start(int& latency, std::string& error) override {
        const AEffect& effect = *host_.Effect();
        replacing_ =
            (effect.flags & effFlagsCanReplacing) != 0 && effect.processReplacing != nullptr;
        if (!replacing_ && effect.process == nullptr) {
            error = "the plug-in has no process callback";
            return false;
        }
        host_.MainsChanged(true);
        latency = host_.Effect()->initialDelay;
        host_.Dispatch(effStartProcess);
        return true;
    }

    void Process(AudioBuffers<float>& in, AudioBuffers<float>& out, int frames) override {
        if (replacing_) {
            host_.ProcessReplacing(in.Pointers(), out.Pointers(), frames);
        } else {
            out.Clear(); // the accumulating callback adds to what the outputs hold
            host_.ProcessAccumulating(in.Pointers(), out.Pointers(), frames);
        }
    }

    void Stop() override {
        host_.Dispatch(effStopProcess);
        host_.Close();
    }

private:
    PluginHost host_;
    bool replacing_ = true;
};

} // namespace

std::unique_ptr<RenderPlugin> MakeVst2RenderPlugin() {
    return std::make_unique<Vst2RenderPlugin>();
}

std::unique_ptr<RenderPlugin> MakeRenderPlugin(const std::string& path) {
    std::string name = path;
    while (!name.empty() && (name.back() == '/' || name.back() == '\\')) {
        name.pop_back(); // a bundle folder given with its trailing separator
    }
    const auto endsWith = [&name](const std::string& suffix) {
        return name.size() >= suffix.size() &&
               name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
    };
    if (endsWith(".clap")) {
        return MakeClapRenderPlugin();
    }
    return endsWith(".vst3") ? MakeVst3RenderPlugin() : MakeVst2RenderPlugin();
}
