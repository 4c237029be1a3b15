#include "tools/render/render_options.h"

#include <cerrno>
#include <cstdlib>

namespace {

bool ParseBlockSize(const std::string& text, int& blockSize) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < 1 || value > kMaxBlockSize) {
        return false;
    }
    blockSize = static_cast<int>(value);
    return true;
}

// Splits "--name=value" into its parts; a plain "--name" leaves `value` empty.
bool SplitInlineValue(const std::string& arg, std::string& name, std::string& value) {
    const size_t equals = arg.find('=');
    if (arg.rfind("--", 0) != 0 || equals == std::string::npos) {
        name = arg;
        return false;
    }
    name = arg.substr(0, equals);
    value = arg.substr(equals + 1);
    return true;
}

bool TakesValue(const std::string& name) {
    return IsSettingsOption(name) || name == "--plugin" || name == "--block" ||
           name == "--save-state" || name == "--out-dir";
}

bool ApplyValue(const std::string& name, const std::string& value, RenderOptions& options,
                std::string& error) {
    if (IsSettingsOption(name)) {
        return ReadSettingsOption(name, value, options.settings, error);
    }
    if (name == "--plugin") {
        options.pluginPath = value;
    } else if (name == "--block") {
        if (!ParseBlockSize(value, options.blockSize)) {
            error = "--block takes a whole number of frames from 1 to " +
                    std::to_string(kMaxBlockSize) + ", not '" + value + "'";
            return false;
        }
    } else if (name == "--save-state") {
        options.saveState = value;
    } else if (name == "--out-dir") {
        options.outDir = value;
    }
    if (value.empty()) {
        error = name + " needs a value";
        return false;
    }
    return true;
}

} // namespace

ParseResult ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                               std::string& error) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            return ParseResult::Help;
        }
        if (arg == "--keep-latency") {
            options.keepLatency = true;
            continue;
        }
        if (arg == "--list") {
            options.list = true;
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') {
            std::string name, value;
            const bool inlineValue = SplitInlineValue(arg, name, value);
            if (!TakesValue(name)) {
                error = "unknown option '" + arg + "'";
                return ParseResult::Error;
            }
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    error = name + " needs a value";
                    return ParseResult::Error;
                }
                value = args[++i];
            }
            if (!ApplyValue(name, value, options, error)) {
                return ParseResult::Error;
            }
            continue;
        }
        positional.push_back(arg);
    }
    if (positional.size() > 2) {
        error = "too many files: give an input and at most one output";
        return ParseResult::Error;
    }
    if (!positional.empty()) {
        options.inputPath = positional[0];
    }
    if (positional.size() == 2) {
        options.outputPath = positional[1];
    }
    return ParseResult::Run;
}

const char* RenderUsage() {
    return "usage: crescenda-render [options] [INPUT [OUTPUT]]\n"
           "\n"
           "Runs INPUT (WAV, AIFF or FLAC; mono or stereo) through the plug-in as a host would\n"
           "and writes OUTPUT (type from its extension: .wav, .aiff/.aif or .flac; default\n"
           "<out-dir>/<input name>-swelled<ext>). With no INPUT it renders a built-in demo and\n"
           "writes the dry and the processed file into the output folder.\n"
           "\n"
           "  --plugin PATH        the plug-in binary, VST2 or CLAP (.clap) (default: the VST2\n"
           "                       one beside this program)\n"
           "  --block N            block size in frames, 1 to 65536 (default 512)\n"
           "  --keep-latency       keep the plug-in's reported latency at the start\n"
           "  --preset NAME|INDEX  select a preset before rendering\n"
           "  --set NAME=VALUE     set a parameter to a value in its own units (repeatable)\n"
           "  --list               list presets and parameters (ranges, defaults) and stop\n"
           "  --load-state FILE    restore a saved program state before rendering\n"
           "  --save-state FILE    save the program state after the settings are applied\n"
           "  --out-dir DIR        output folder for the demo and default outputs (default out)\n"
           "  -h, --help           this text\n";
}
