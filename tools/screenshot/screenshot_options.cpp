#include "tools/screenshot/screenshot_options.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// A whole number in decimal, or hexadecimal after 0x (as window ids are usually printed).
bool ParseNumber(const std::string& text, unsigned long long limit, unsigned long long& value) {
    if (text.empty() || text[0] == '-' || text[0] == '+') {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text.c_str(), &end, 0);
    return errno == 0 && end != nullptr && *end == '\0' && value <= limit;
}

// "X,Y,W,H" with a non-negative corner and a size of at least 1 x 1.
bool ParseRect(const std::string& text, ScreenshotOptions& options) {
    unsigned long long parts[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(',', start);
        const bool last = i == 3;
        if (last != (comma == std::string::npos)) {
            return false;
        }
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        if (!ParseNumber(part, 32767, parts[i])) {
            return false;
        }
        start = comma + 1;
    }
    if (parts[2] == 0 || parts[3] == 0) {
        return false;
    }
    options.hasRect = true;
    options.x = int(parts[0]);
    options.y = int(parts[1]);
    options.width = int(parts[2]);
    options.height = int(parts[3]);
    return true;
}

} // namespace

const char* ScreenshotUsage() {
    return "usage: crescenda-screenshot [--display NAME] [--window ID | --title TEXT] [--rect "
           "X,Y,W,H]\n"
           "                            OUT.png\n"
           "  Writes what the X server shows in the window (default: the root window), or in the\n"
           "  rectangle of it, as a PNG. ID may be decimal or 0x hexadecimal. --title takes the\n"
           "  first top-level window whose title contains TEXT, with whatever covers it on "
           "screen.\n";
}

ScreenshotParse ParseScreenshotOptions(const std::vector<std::string>& args,
                                       ScreenshotOptions& options, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            return ScreenshotParse::Help;
        }
        if ((arg == "--display" || arg == "--window" || arg == "--title" || arg == "--rect") &&
            !hasValue) {
            error = arg + " needs a value";
            return ScreenshotParse::Error;
        }
        if (arg == "--display") {
            options.display = args[++i];
        } else if (arg == "--window") {
            unsigned long long id = 0;
            if (!ParseNumber(args[++i], ULONG_MAX, id) || id == 0) {
                error = "not a window id: " + args[i];
                return ScreenshotParse::Error;
            }
            options.window = static_cast<unsigned long>(id);
        } else if (arg == "--title") {
            options.title = args[++i];
            if (options.title.empty()) {
                error = "--title needs some text";
                return ScreenshotParse::Error;
            }
        } else if (arg == "--rect") {
            if (!ParseRect(args[++i], options)) {
                error = "not a rectangle X,Y,W,H: " + args[i];
                return ScreenshotParse::Error;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown option " + arg;
            return ScreenshotParse::Error;
        } else if (options.outputPath.empty()) {
            options.outputPath = arg;
        } else {
            error = "only one output file";
            return ScreenshotParse::Error;
        }
    }
    if (options.window != 0 && !options.title.empty()) {
        error = "--window and --title name the window twice";
        return ScreenshotParse::Error;
    }
    if (options.outputPath.empty()) {
        error = "no output file";
        return ScreenshotParse::Error;
    }
    return ScreenshotParse::Run;
}
