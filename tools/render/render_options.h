// The renderer's command line.
#pragma once

#include "host/plugin_settings.h"

#include <string>
#include <vector>

struct RenderOptions {
    std::string pluginPath; // empty: the plug-in beside the tool
    std::string inputPath;  // empty: render the built-in demo
    std::string outputPath; // empty: <outDir>/<input stem>-swelled
    std::string outDir = "out";
    int blockSize = 512;
    bool keepLatency = false;
    bool list = false;
    PluginSettings settings;
    std::string saveState;
};

enum class ParseResult { Run, Help, Error };

constexpr int kMaxBlockSize = 1 << 16;

// Reads the arguments after the program name; on Error, `error` says what is wrong.
ParseResult ParseRenderOptions(const std::vector<std::string>& args, RenderOptions& options,
                               std::string& error);

const char* RenderUsage();
