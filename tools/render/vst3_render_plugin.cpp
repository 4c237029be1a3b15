// A VST3 bundle in the renderer, through the bundled VST3 host: presets through the program
// parameter, states as the component state, typed values through the controller's text reading.
#include "host/replaced_file.h"
#include "host/vst3/vst3_plugin_host.h"
#include "tools/render/render_plugin.h"
#include "vst3/text16.h"

#include <algorithm>
#include <cctype>

namespace {

using namespace vst3;

constexpr size_t MaxStateBytes = size_t(16) << 20;

std::string Folded(const std::string& text) {
    std::string folded;
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return folded;
}

std::string Narrow(const char16* text) {
    char out[128 * 3];
    ToUtf8(text, 128, out, sizeof out);
    return out;
}

class Vst3RenderPlugin : public RenderPlugin {
public:
    bool Load(const std::string& path, int sampleRate, int blockSize, std::string& error) override {
        if (!host_.Load(path)) {
            error = host_.LastError();
            return false;
        }
        sampleRate_ = sampleRate;
        blockSize_ = blockSize;
        return true;
    }

    bool Apply(const PluginSettings& settings, std::string& error) override {
        if (!settings.preset.empty() && !SelectPreset(settings.preset, error)) {
            return false;
        }
        if (!settings.loadState.empty() && !LoadState(settings.loadState, error)) {
            return false;
        }
        for (const auto& [name, value] : settings.sets) {
            if (!SetValue(name, value, error)) {
                return false;
            }
        }
        return true;
    }

    bool SaveState(const std::string& path, std::string& error) override {
        const std::vector<char> bytes = host_.SaveState();
        if (bytes.empty()) {
            error = "the plug-in gave no state";
            return false;
        }
        return WriteWholeFile(path, std::string(bytes.begin(), bytes.end()), error);
    }

    void PrintListing(const std::string& path, std::FILE* stream) override {
        std::fprintf(stream, "Crescenda (%s, VST3)\n  %d input(s), %d output(s)\n\nPresets (%d):\n",
                     path.c_str(), Inputs(), Outputs(), static_cast<int>(Presets().size()));
        const std::vector<std::string> presets = Presets();
        for (size_t i = 0; i < presets.size(); ++i) {
            std::fprintf(stream, "  %3d  %s\n", static_cast<int>(i), presets[i].c_str());
        }
        IEditController& controller = *host_.Controller();
        std::fprintf(stream, "\nParameters (%d):\n", controller.getParameterCount());
        for (int32 i = 0; i < controller.getParameterCount(); ++i) {
            ParameterInfo info{};
            controller.getParameterInfo(i, info);
            String128 low{}, high{}, value{};
            controller.getParamStringByValue(info.id, 0.0, low);
            controller.getParamStringByValue(info.id, 1.0, high);
            controller.getParamStringByValue(info.id, controller.getParamNormalized(info.id),
                                             value);
            std::fprintf(stream, "  %3d  %-12s  %s to %s  %s\n", i, Narrow(info.title).c_str(),
                         Narrow(low).c_str(), Narrow(high).c_str(), Narrow(value).c_str());
        }
    }

    int Inputs() const override { return Channels(kInput); }
    int Outputs() const override { return Channels(kOutput); }

    bool Start(int& latency, std::string& error) override {
        if (!host_.Start(sampleRate_, blockSize_)) {
            error = "the plug-in could not be activated";
            return false;
        }
        latency = static_cast<int>(host_.Processor()->getLatencySamples());
        return true;
    }

    void Process(AudioBuffers<float>& in, AudioBuffers<float>& out, int frames) override {
        host_.Process(in, out, frames);
    }

    void Stop() override { host_.Unload(); }

private:
    int Channels(BusDirection dir) const {
        BusInfo bus{};
        return host_.Component()->getBusInfo(kAudio, dir, 0, bus) == kResultOk ? bus.channelCount
                                                                               : 0;
    }

    std::vector<std::string> Presets() {
        std::vector<std::string> names;
        void* found = nullptr;
        if (host_.Component()->queryInterface(IUnitInfo::iid.bytes, &found) != kResultOk) {
            return names;
        }
        auto* units = static_cast<IUnitInfo*>(found);
        ProgramListInfo list{};
        if (units->getProgramListInfo(0, list) == kResultOk) {
            for (int32 i = 0; i < list.programCount; ++i) {
                String128 name{};
                units->getProgramName(list.id, i, name);
                names.push_back(Narrow(name));
            }
        }
        units->release();
        return names;
    }

    // The controller's parameter with this title, or the one flagged as program change.
    bool FindParam(const std::string& title, bool programChange, ParameterInfo& info) {
        IEditController& controller = *host_.Controller();
        for (int32 i = 0; i < controller.getParameterCount(); ++i) {
            if (controller.getParameterInfo(i, info) != kResultOk) {
                continue;
            }
            const bool isProgram = (info.flags & ParameterInfo::kIsProgramChange) != 0;
            if (programChange ? isProgram : Folded(Narrow(info.title)) == Folded(title)) {
                return true;
            }
        }
        return false;
    }

    bool SelectPreset(const std::string& nameOrIndex, std::string& error) {
        const std::vector<std::string> names = Presets();
        ParameterInfo program{};
        for (size_t i = 0; i < names.size(); ++i) {
            if (Folded(names[i]) != Folded(nameOrIndex) && std::to_string(i) != nameOrIndex) {
                continue;
            }
            const double last = std::max<double>(static_cast<double>(names.size()) - 1.0, 1.0);
            if (FindParam("", true, program) &&
                host_.Controller()->setParamNormalized(program.id, i / last) == kResultOk) {
                return true;
            }
            error = "the plug-in could not load the preset '" + names[i] + "'";
            return false;
        }
        error = "unknown preset '" + nameOrIndex + "'";
        return false;
    }

    bool LoadState(const std::string& path, std::string& error) {
        std::string bytes;
        if (!ReadWholeFile(path, MaxStateBytes, bytes, error)) {
            return false;
        }
        if (host_.LoadState(std::vector<char>(bytes.begin(), bytes.end())) != kResultOk) {
            error = "the plug-in refused the state in " + path;
            return false;
        }
        return true;
    }

    bool SetValue(const std::string& name, const std::string& text, std::string& error) {
        ParameterInfo info{};
        if (!FindParam(name, false, info)) {
            error = "unknown parameter '" + name + "'";
            return false;
        }
        String128 typed{};
        ToUtf16(text.c_str(), typed, 128);
        ParamValue value = 0.0;
        if (host_.Controller()->getParamValueByString(info.id, typed, value) != kResultOk ||
            host_.Controller()->setParamNormalized(info.id, value) != kResultOk) {
            error = "the plug-in does not accept '" + text + "' for " + name;
            return false;
        }
        return true;
    }

    Vst3PluginHost host_;
    int sampleRate_ = 44100;
    int blockSize_ = 512;
};

} // namespace

std::unique_ptr<RenderPlugin> MakeVst3RenderPlugin() {
    return std::make_unique<Vst3RenderPlugin>();
}
