// The preset-discovery factory a host asks the entry for.
#pragma once

#include "clap/clap_abi.h"

const clap_preset_discovery_factory* PresetDiscoveryFactory();
