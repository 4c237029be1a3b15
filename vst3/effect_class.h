// Defined by the effect: the one VST3 class the bundle's factory offers.
#pragma once

#include "vst3/plugin_factory.h"

const vst3::ClassEntry& Vst3EffectClass();
