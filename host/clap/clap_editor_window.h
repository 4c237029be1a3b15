// A CLAP plug-in's editor opened into one of the host's windows (host/host_window.h) in the call
// order hosts follow: is_api_supported, create, set_scale, can_resize, get_size, set_parent, show.
#pragma once

#include "host/clap/clap_instance.h"
#include "host/host_window.h"

#include <string>

// The window record set_parent takes for this host window, in the window system's own form.
clap_window ClapWindowFor(const HostWindow& window);

// The editor's size, from get_size after create; false, with error, at the first refusal. The
// editor is then created but not yet in the window. scale is the host's set_scale; 0 sends none,
// as hosts that leave the scale to the system do.
bool CreateClapEditor(ClapInstance& instance, std::uint32_t& width, std::uint32_t& height,
                      std::string& error, double scale = 1.0);
// set_parent into `window`, then show.
bool ShowClapEditor(ClapInstance& instance, HostWindow& window, std::string& error);
// gui.destroy (no hide needed first).
void DestroyClapEditor(ClapInstance& instance);
