// Compiles the CLAP interface declarations in each build, so a layout that differs on a platform
// (the X11 window id, bool against u32 in the port configuration) stops that build.
#include "clap/clap_abi.h"
