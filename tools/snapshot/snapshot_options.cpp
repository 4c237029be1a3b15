#include "tools/snapshot/snapshot_options.h"

#include <cstdlib>

namespace {

bool TakesValue(const std::string& name) {
    return IsSettingsOption(name) || name == "--strip" || name == "--scale";
}

bool ApplyValue(const std::string& name, const std::string& value, SnapshotOptions& options,
                std::string& error) {
    if (IsSettingsOption(name)) {
        return ReadSettingsOption(name, value, options.settings, error);
    }
    if (value.empty()) {
        error = name + " needs a value";
        return false;
    }
    if (name == "--scale") {
        char* end = nullptr;
        const double scale = std::strtod(value.c_str(), &end);
        if (*end != '\0' || !(scale >= 0.5 && scale <= 4.0)) {
            error = "--scale takes a factor from 0.5 to 4, not '" + value + "'";
            return false;
        }
        options.scale = static_cast<float>(scale);
        return true;
    }
    options.stripParam = value;
    return true;
}

} // namespace

SnapshotParse ParseSnapshotOptions(const std::vector<std::string>& args, SnapshotOptions& options,
                                   std::string& error) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-h" || arg == "--help") {
            return SnapshotParse::Help;
        }
        std::string name = arg;
        std::string value;
        const size_t equals = arg.find('=');
        const bool inlineValue = arg.rfind("--", 0) == 0 && equals != std::string::npos;
        if (inlineValue) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        if (TakesValue(name)) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    error = name + " needs a value";
                    return SnapshotParse::Error;
                }
                value = args[++i];
            }
            if (!ApplyValue(name, value, options, error)) {
                return SnapshotParse::Error;
            }
        } else if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return SnapshotParse::Error;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1) {
        error = positional.empty() ? "no output file given" : "one output file only";
        return SnapshotParse::Error;
    }
    options.outputPath = positional[0];
    return SnapshotParse::Run;
}

const char* SnapshotUsage() {
    return "usage: crescenda-snapshot [options] OUTPUT.png\n"
           "Builds the effect, drives it through its effect record like a host and writes its\n"
           "editor's canvas after the redraw step as a PNG.\n"
           "  --preset NAME|INDEX  select a factory preset\n"
           "  --load-state FILE    restore a program chunk file\n"
           "  --set NAME=VALUE     set a parameter to a plain value (repeatable)\n"
           "  --strip PARAM        the knob of PARAM at 0, 1/2 and 1 side by side instead\n"
           "  --scale FACTOR       the editor at 1, 1.5 or 2 times its size, as a host's scale\n"
           "                       hint asks (other factors go to the nearest of these)\n"
           "  --help               this text\n";
}
