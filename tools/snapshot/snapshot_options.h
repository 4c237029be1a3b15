// The snapshot tool's command line.
#pragma once

#include "host/plugin_settings.h"

#include <string>
#include <vector>

struct SnapshotOptions {
    std::string outputPath;
    PluginSettings settings;
    std::string stripParam; // empty: the whole editor
    float scale = 1.0f;     // the host's scale hint; 1, 1.5 or 2 (others go to the nearest)
};

enum class SnapshotParse { Run, Help, Error };

// Reads the arguments after the program name; on Error, error says what is wrong.
SnapshotParse ParseSnapshotOptions(const std::vector<std::string>& args, SnapshotOptions& options,
                                   std::string& error);

const char* SnapshotUsage();
