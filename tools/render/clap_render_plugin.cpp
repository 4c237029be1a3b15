// A CLAP binary in the renderer, through the bundled CLAP host.
#include "host/clap/clap_presets.h"
#include "host/clap/clap_settings.h"
#include "tools/render/render_plugin.h"

namespace {

// The channels of the main port each way.
int MainChannels(const ClapInstance& instance, bool input) {
    for (const clap_audio_port_info& port : instance.Ports(input)) {
        if ((port.flags & CLAP_AUDIO_PORT_IS_MAIN) != 0) {
            return static_cast<int>(port.channel_count);
        }
    }
    return 0;
}

class ClapRenderPlugin : public RenderPlugin {
public:
    bool Load(const std::string& path, int sampleRate, int blockSize, std::string& error) override {
        if (!module_.Open(path)) {
            error = module_.Error();
            return false;
        }
        if (!instance_.Create()) {
            error = instance_.Error();
            return false;
        }
        const auto* render = instance_.Extension<clap_plugin_render>(CLAP_EXT_RENDER);
        if (render != nullptr) {
            render->set(instance_.Plugin(), CLAP_RENDER_OFFLINE);
        }
        sampleRate_ = sampleRate;
        blockSize_ = blockSize;
        return true;
    }

    bool Apply(const PluginSettings& settings, std::string& error) override {
        return ApplyClapSettings(module_, instance_, settings, error);
    }

    bool SaveState(const std::string& path, std::string& error) override {
        return SaveClapState(instance_, path, error);
    }

    void PrintListing(const std::string& path, std::FILE* stream) override {
        const clap_plugin_descriptor* descriptor = instance_.Plugin()->desc;
        std::fprintf(stream, "%s (%s, CLAP %s)\n", descriptor->name, path.c_str(), descriptor->id);
        std::fprintf(stream, "  %d input(s), %d output(s)\n", Inputs(), Outputs());
        std::vector<ClapPreset> presets;
        std::string error;
        DiscoverPresets(module_, presets, error);
        std::fprintf(stream, "\nPresets (%d):\n", static_cast<int>(presets.size()));
        for (size_t i = 0; i < presets.size(); ++i) {
            std::fprintf(stream, "  %3d  %s\n", static_cast<int>(i), presets[i].name.c_str());
        }
        const std::vector<clap_param_info> infos = instance_.ParamInfos();
        std::fprintf(stream, "\nParameters (%d):\n", static_cast<int>(infos.size()));
        for (size_t i = 0; i < infos.size(); ++i) {
            std::string low, high, value;
            instance_.ValueToText(infos[i].id, infos[i].min_value, low);
            instance_.ValueToText(infos[i].id, infos[i].max_value, high);
            instance_.ValueToText(infos[i].id, infos[i].default_value, value);
            std::fprintf(stream, "  %3d  %-12s  %s to %s  %s\n", static_cast<int>(i), infos[i].name,
                         low.c_str(), high.c_str(), value.c_str());
        }
    }

    int Inputs() const override { return MainChannels(instance_, true); }
    int Outputs() const override { return MainChannels(instance_, false); }

    bool Start(int& latency, std::string& error) override {
        if (!instance_.Activate(sampleRate_, 1, static_cast<std::uint32_t>(blockSize_)) ||
            !instance_.StartProcessing()) {
            error = "the plug-in could not be activated";
            return false;
        }
        latency = static_cast<int>(instance_.Latency());
        return true;
    }

    void Process(AudioBuffers<float>& in, AudioBuffers<float>& out, int frames) override {
        output_.Clear();
        instance_.Process(&in, &out, static_cast<std::uint32_t>(frames), none_, output_);
    }

    void Stop() override { instance_.Destroy(); }

private:
    ClapHostServices services_;
    ClapModule module_;
    ClapInstance instance_{module_, services_};
    ClapInputEvents none_;
    ClapOutputEvents output_;
    int sampleRate_ = 44100;
    int blockSize_ = 512;
};

} // namespace

std::unique_ptr<RenderPlugin> MakeClapRenderPlugin() {
    return std::make_unique<ClapRenderPlugin>();
}
