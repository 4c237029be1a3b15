// The effect every adapter's entry point creates for each host request.
#include "plugin/crescenda.h"

#include <new>

PluginCore* CreatePluginInstance() {
    return new (std::nothrow) Crescenda();
}
