// The command line of crescenda-screenshot.
#pragma once

#include <string>
#include <vector>

struct ScreenshotOptions {
    std::string display;      // empty: $DISPLAY
    unsigned long window = 0; // 0: the screen's root window
    std::string title;        // non-empty: the screen where the top-level window so titled is
    bool hasRect = false;     // without one, the whole window
    int x = 0, y = 0, width = 0, height = 0;
    std::string outputPath;
};

enum class ScreenshotParse { Run, Help, Error };

ScreenshotParse ParseScreenshotOptions(const std::vector<std::string>& args,
                                       ScreenshotOptions& options, std::string& error);
const char* ScreenshotUsage();
