// The built-in demo: a few seconds of synthesized plucked notes, so the effect can be heard
// without an audio file of one's own.
#pragma once

#include "tools/render/audio_data.h"

// Stereo: a plucked melody with accents, a fast arpeggio, then a held chord. Deterministic.
AudioData SynthesizeDemo(int sampleRate);
