// The CLAP battery's starting points: the .clap under test loaded in our CLAP host, its
// parameters found by name, and the same audio rendered through the CLAP instance and through the
// VST2 binary so the two can be compared sample for sample.
#pragma once

#include "host/clap/clap_instance.h"
#include "host/plugin_host.h"
#include "tests/validation/test_signal.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace clap_test {

using battery::Stream;

// CRESCENDA_CLAP_PLUGIN, else Crescenda.clap beside the tests.
std::string ClapPath();

// A module, a host and one instance. Members end in reverse order: the instance before the module.
struct ClapSession {
    ClapHostServices services;
    ClapModule module;
    ClapInstance instance{module, services};

    // Loads the module (ClapPath() unless given) and creates the instance; with `start`,
    // activates it (44.1 kHz, up to 4096 frames) and starts processing.
    ::testing::AssertionResult Open(bool start = true, const std::string& path = ClapPath());
};

// The parameter with this name; fails the test (and returns a zeroed record) when there is none.
clap_param_info ParamNamed(const ClapInstance& instance, const std::string& name);
// The VST2 index of the parameter with this name, or -1.
int Vst2Index(PluginHost& host, const std::string& name);

// A value change at a frame of the stream: CLAP sends the plain value, VST2 the normalised one.
struct Change {
    std::uint32_t frame = 0;
    std::string param;
    bool toMax = true; // the range's top (normalised 1) or bottom (normalised 0)
};

// Renders `input` in blocks of `block` frames, each change as a PARAM_VALUE event at its offset.
Stream<float> RenderClap(ClapInstance& instance, const Stream<float>& input, int block,
                         const std::vector<Change>& changes);
// Renders `input` through an open VST2 instance in blocks of `block` frames, cut at each change
// with setParameter in between, so every change lands on a block boundary.
Stream<float> RenderVst2(PluginHost& host, const Stream<float>& input, int block,
                         const std::vector<Change>& changes);

// Empty when equal bit for bit; else the first difference.
std::string Compare(const Stream<float>& expected, const Stream<float>& actual);

} // namespace clap_test
