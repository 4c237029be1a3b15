// The CLAP binary exports exactly one symbol, the entry record; everything else is built hidden.
#pragma once

#include "clap/clap_abi.h"

#define CRESCENDA_CLAP_EXPORT __attribute__((visibility("default")))

extern "C" {
CRESCENDA_CLAP_EXPORT extern const clap_plugin_entry clap_entry;
}
