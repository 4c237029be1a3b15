// The snapshot tool's command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct SnapshotOptions {
    std::string outputPath;
    std::string preset;                                    // name or index; empty: none
    std::vector<std::pair<std::string, std::string>> sets; // name, plain value, in order
    std::string loadState;
    std::string stripParam; // empty: the whole editor
};

enum class SnapshotParse { Run, Help, Error };

// Reads the arguments after the program name; on Error, error says what is wrong.
SnapshotParse ParseSnapshotOptions(const std::vector<std::string>& args, SnapshotOptions& options,
                                   std::string& error);

const char* SnapshotUsage();
