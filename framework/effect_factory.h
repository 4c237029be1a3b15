// Making the effect for an adapter: one at a time (hosts may create instances from several
// threads at once), with the undefined presets filled, and no exception reaching the host.
#pragma once

class PluginCore;

// A new effect the caller owns, or null when it cannot be made.
PluginCore* CreateEffectInstance();
