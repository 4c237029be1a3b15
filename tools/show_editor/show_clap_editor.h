// crescenda-show-editor for a .clap binary: the editor in the host's window, driven by our CLAP
// host's loop (timers, descriptors, requests) for `seconds`. The process exit code.
#pragma once

#include <string>

int ShowClapEditor(const std::string& path, int seconds);
