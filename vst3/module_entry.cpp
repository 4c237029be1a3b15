// The bundle's exports: the factory, and the module entry and exit each system's hosts call
// around it (ModuleEntry/ModuleExit on Linux, InitDll/ExitDll on Windows).
#include "vst3/effect_class.h"

// Windows takes the export list from exports.def; elsewhere only these are visible.
#define CRESCENDA_VST3_EXPORT __attribute__((visibility("default")))

extern "C" {

CRESCENDA_VST3_EXPORT vst3::IPluginFactory* GetPluginFactory() {
    return vst3::PluginFactory::Acquire(Vst3EffectClass());
}

// Nothing to set up per module: the handle is not needed to find our resources.
CRESCENDA_VST3_EXPORT bool ModuleEntry(void* /*sharedLibraryHandle*/) {
    return true;
}

CRESCENDA_VST3_EXPORT bool ModuleExit() {
    return true;
}

CRESCENDA_VST3_EXPORT bool InitDll() {
    return true;
}

CRESCENDA_VST3_EXPORT bool ExitDll() {
    return true;
}
}
