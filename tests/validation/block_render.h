// Runs a stream of audio through an open instance the way a host does: cut into blocks, on one of
// the three process paths, with separate buffers or in place, checking each call as it goes.
#pragma once

#include "host/plugin_host.h"
#include "tests/validation/test_signal.h"

#include <string>
#include <vector>

namespace battery {

enum class Path { FloatReplacing, FloatAccumulating, Double };

constexpr Path kAllPaths[] = {Path::FloatReplacing, Path::FloatAccumulating, Path::Double};

const char* PathName(Path path);

// True when the instance announces and provides the path (the double path needs
// effFlagsCanDoubleReplacing); paths a plug-in does not offer are not asked of it.
bool Offers(PluginHost& host, Path path);

struct Rendered {
    Stream<double> output; // every output sample; float outputs widened, which is exact
    std::string problem;   // empty, or the first thing that went wrong and where
    int calls = 0;         // process calls made
};

// Runs `input` (one channel per plug-in input) through `host` on `path`, cut into blocks of the
// sizes in `cuts`, repeated until the stream ends; a 0 in `cuts` is a call with 0 frames.
// The accumulating path gets output buffers that already hold the input (so in place and separate
// mean the same), the replacing paths get outputs full of NaN (so an unwritten sample shows).
// Checked on every call: separate input buffers come back unchanged, every output sample is
// finite, a call with 0 frames writes nothing.
Rendered Render(PluginHost& host, Path path, bool inPlace, const Stream<float>& input,
                const std::vector<int>& cuts);
// The same for the double path with double input (the float form widens its input).
Rendered RenderDouble(PluginHost& host, bool inPlace, const Stream<double>& input,
                      const std::vector<int>& cuts);

// Empty when both streams are equal bit for bit; else where they first differ and how much.
std::string CompareStreams(const Stream<double>& expected, const Stream<double>& actual);

std::string DescribeCuts(const std::vector<int>& cuts);

} // namespace battery
