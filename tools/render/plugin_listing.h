// The --list report: presets, and parameters with their ranges and defaults.
#pragma once

#include "host/plugin_host.h"

#include <cstdio>
#include <string>

void PrintPluginListing(PluginHost& host, const std::string& path, std::FILE* stream);
