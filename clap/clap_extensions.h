// The plug-in's extension tables, one file each, and the lookup by id.
#pragma once

#include "clap/clap_abi.h"

const clap_plugin_audio_ports* AudioPortsExtension();
const clap_plugin_audio_ports_config* AudioPortsConfigExtension();
const clap_plugin_params* ParamsExtension();
const clap_plugin_state* StateExtension();
const clap_plugin_latency* LatencyExtension();
const clap_plugin_tail* TailExtension();
const clap_plugin_gui* GuiExtension();
const clap_plugin_timer_support* TimerSupportExtension();
const clap_plugin_posix_fd_support* PosixFdSupportExtension();
const clap_plugin_preset_load* PresetLoadExtension();
