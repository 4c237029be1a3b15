// What the host tests' own effect (test_plugin.cpp) answers through effVendorSpecific, and where
// its binary is built.
#pragma once

#include "vst2/vst2_abi.h"

#include <string>

enum TestPluginRequest : VstInt32 {
    kAskProduct = 1,      // writes the product string the host gave on effOpen into ptr
    kAskProcessLevel = 2, // answers the process level seen in the last process call
    kAskSamplePos = 3,    // answers the samplePos of the time info seen in the last process call
    kAskAutomate = 4,     // calls audioMasterAutomate(value, opt) and answers the host's reply
    kAskInPlace = 5,      // answers 1 if the last float call had outputs equal to inputs
    kAskTimeWasNull = 6,  // answers 1 if audioMasterGetTime answered null in the last process
};

// The test effect: gain (0..2, normalised 0.5 = 1.0) and a delay of 0..64 samples reported as
// latency; programs "Unity", "Quiet" (gain 0.25) and "Late" (delay 32).
std::string TestPluginPath();
