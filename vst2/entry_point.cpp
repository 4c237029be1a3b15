// The plug-in binary's second export: the entry point under the older name "main", which C++
// cannot declare directly, hence the assembler name. VSTPluginMain lives in the adapter library.
#include "vst2/plugin_export.h"

extern "C" CRESCENDA_VST_EXPORT AEffect* VstMainEntry(audioMasterCallback host) __asm__("main");

extern "C" AEffect* VstMainEntry(audioMasterCallback host) {
    return VSTPluginMain(host);
}
