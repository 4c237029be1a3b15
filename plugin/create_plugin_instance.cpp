// The effect the VST2 entry point creates for each host request.
#include "plugin/crescenda.h"

#include <new>

Vst2Plugin* CreatePluginInstance(audioMasterCallback host) {
    return new (std::nothrow) Crescenda(host);
}
