// The plug-in factory the entry hands out.
#pragma once

#include "clap/clap_abi.h"

const clap_plugin_factory* PluginFactory();
