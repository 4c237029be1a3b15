// The two entry points are the only symbols the plug-in binary exports: everything else is
// built hidden, and the export lists name exactly these two.
#pragma once

#include "vst2/vst2_abi.h"

#define CRESCENDA_VST_EXPORT __attribute__((visibility("default")))

extern "C" CRESCENDA_VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback host);
