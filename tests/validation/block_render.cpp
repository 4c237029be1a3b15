#include "tests/validation/block_render.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

namespace battery {

const char* PathName(Path path) {
    switch (path) {
    case Path::FloatReplacing:
        return "float replacing";
    case Path::FloatAccumulating:
        return "float accumulating";
    case Path::Double:
        return "double replacing";
    }
    return "?";
}

bool Offers(PluginHost& host, Path path) {
    const AEffect* effect = host.Effect();
    if (effect == nullptr) {
        return false;
    }
    switch (path) {
    case Path::FloatReplacing:
        return effect->processReplacing != nullptr;
    case Path::FloatAccumulating:
        return effect->process != nullptr;
    case Path::Double:
        return effect->processDoubleReplacing != nullptr &&
               (effect->flags & effFlagsCanDoubleReplacing) != 0;
    }
    return false;
}

namespace {

template <typename T>
bool SameBits(const T* a, const T* b, int frames) {
    return frames <= 0 || std::memcmp(a, b, sizeof(T) * static_cast<size_t>(frames)) == 0;
}

template <typename T>
void Call(PluginHost& host, Path path, bool inPlace, AudioBuffers<T>& in, AudioBuffers<T>& out);

template <>
void Call<float>(PluginHost& host, Path path, bool inPlace, AudioBuffers<float>& in,
                 AudioBuffers<float>& out) {
    const ProcessMode mode =
        path == Path::FloatAccumulating ? ProcessMode::Accumulating : ProcessMode::Replacing;
    if (inPlace) {
        host.ProcessFloatInPlace(in, mode);
    } else {
        host.ProcessFloat(in, out, mode);
    }
}

template <>
void Call<double>(PluginHost& host, Path, bool inPlace, AudioBuffers<double>& in,
                  AudioBuffers<double>& out) {
    if (inPlace) {
        host.ProcessDoubleInPlace(in);
    } else {
        host.ProcessDouble(in, out);
    }
}

template <typename T>
void CallWithNoFrames(PluginHost& host, Path path, T* const* in, T* const* out);

template <>
void CallWithNoFrames<float>(PluginHost& host, Path path, float* const* in, float* const* out) {
    if (path == Path::FloatAccumulating) {
        host.ProcessAccumulating(in, out, 0);
    } else {
        host.ProcessReplacing(in, out, 0);
    }
}

template <>
void CallWithNoFrames<double>(PluginHost& host, Path, double* const* in, double* const* out) {
    host.ProcessDoubleReplacing(in, out, 0);
}

std::string Where(int call, int position, int frames) {
    std::ostringstream text;
    text << "call #" << call << " (frames " << position << ".." << position + frames - 1 << ")";
    return text.str();
}

// A call with 0 frames on buffers of one frame holding a sentinel: nothing may change.
template <typename T>
void NoFramesCall(PluginHost& host, Path path, bool inPlace, int inputs, int outputs,
                  Rendered& result) {
    const T sentinel = static_cast<T>(0.123);
    AudioBuffers<T> in(std::max(inputs, outputs), 1);
    AudioBuffers<T> out(outputs, 1);
    in.Fill(sentinel);
    out.Fill(sentinel);
    CallWithNoFrames<T>(host, path, in.Pointers(), inPlace ? in.Pointers() : out.Pointers());
    ++result.calls;
    for (int c = 0; c < in.Channels() && result.problem.empty(); ++c) {
        if (in.At(c, 0) != sentinel) {
            result.problem = "call #" + std::to_string(result.calls) +
                             " with 0 frames changed input/in-place buffer " + std::to_string(c);
        }
    }
    for (int c = 0; c < out.Channels() && result.problem.empty() && !inPlace; ++c) {
        if (out.At(c, 0) != sentinel) {
            result.problem = "call #" + std::to_string(result.calls) +
                             " with 0 frames wrote output buffer " + std::to_string(c);
        }
    }
}

template <typename T>
Rendered RenderAs(PluginHost& host, Path path, bool inPlace, const Stream<T>& input,
                  const std::vector<int>& cuts) {
    Rendered result;
    AEffect* effect = host.Effect();
    if (effect == nullptr) {
        result.problem = "no instance to render with";
        return result;
    }
    const int inputs = effect->numInputs;
    const int outputs = effect->numOutputs;
    const int frames = input.empty() ? 0 : static_cast<int>(input[0].size());
    if (static_cast<int>(input.size()) < inputs ||
        std::none_of(cuts.begin(), cuts.end(), [](int n) { return n > 0; })) {
        result.problem = "render set up wrongly: too few input channels or no positive block size";
        return result;
    }
    result.output.assign(static_cast<size_t>(outputs),
                         std::vector<double>(static_cast<size_t>(frames)));
    const bool accumulate = path == Path::FloatAccumulating;
    const T unwritten = std::numeric_limits<T>::quiet_NaN();
    const int ioChannels = std::max(inputs, outputs);

    int position = 0;
    for (size_t next = 0; position < frames; ++next) {
        const int wanted = cuts[next % cuts.size()];
        if (wanted == 0) {
            NoFramesCall<T>(host, path, inPlace, inputs, outputs, result);
            continue;
        }
        const int n = std::min(wanted, frames - position);
        AudioBuffers<T> in(inPlace ? ioChannels : inputs, n);
        AudioBuffers<T> out(inPlace ? 0 : outputs, n);
        for (int c = 0; c < in.Channels(); ++c) {
            for (int i = 0; i < n; ++i) {
                in.At(c, i) = c < inputs
                                  ? input[static_cast<size_t>(c)][static_cast<size_t>(position + i)]
                                  : (accumulate ? T(0) : unwritten);
            }
        }
        for (int c = 0; c < out.Channels(); ++c) {
            for (int i = 0; i < n; ++i) {
                out.At(c, i) = !accumulate ? unwritten : c < inputs ? in.At(c, i) : T(0);
            }
        }
        Call<T>(host, path, inPlace, in, out);
        ++result.calls;
        AudioBuffers<T>& written = inPlace ? in : out;
        for (int c = 0; c < outputs; ++c) {
            for (int i = 0; i < n; ++i) {
                const T value = written.At(c, i);
                result.output[static_cast<size_t>(c)][static_cast<size_t>(position + i)] = value;
                if (!std::isfinite(value) && result.problem.empty()) {
                    std::ostringstream text;
                    text << Where(result.calls, position, n) << ": output channel " << c
                         << " frame " << position + i << " is " << value
                         << (accumulate ? ""
                                        : " (NaN here may also mean the sample was never written)");
                    result.problem = text.str();
                }
            }
        }
        for (int c = 0; c < inputs && !inPlace && result.problem.empty(); ++c) {
            if (!SameBits(in.Channel(c), input[static_cast<size_t>(c)].data() + position, n)) {
                result.problem = Where(result.calls, position, n) + ": input buffer " +
                                 std::to_string(c) + " was changed by the plug-in";
            }
        }
        position += n;
    }
    return result;
}

} // namespace

Rendered Render(PluginHost& host, Path path, bool inPlace, const Stream<float>& input,
                const std::vector<int>& cuts) {
    if (path == Path::Double) {
        return RenderAs<double>(host, path, inPlace, Convert<double>(input), cuts);
    }
    return RenderAs<float>(host, path, inPlace, input, cuts);
}

Rendered RenderDouble(PluginHost& host, bool inPlace, const Stream<double>& input,
                      const std::vector<int>& cuts) {
    return RenderAs<double>(host, Path::Double, inPlace, input, cuts);
}

std::string CompareStreams(const Stream<double>& expected, const Stream<double>& actual) {
    if (expected.size() != actual.size()) {
        return "channel counts differ: " + std::to_string(expected.size()) + " and " +
               std::to_string(actual.size());
    }
    long differing = 0;
    std::ostringstream first;
    for (size_t c = 0; c < expected.size(); ++c) {
        if (expected[c].size() != actual[c].size()) {
            return "frame counts differ on channel " + std::to_string(c);
        }
        for (size_t i = 0; i < expected[c].size(); ++i) {
            if (std::memcmp(&expected[c][i], &actual[c][i], sizeof(double)) != 0) {
                if (differing == 0) {
                    first.precision(17);
                    first << "first difference at channel " << c << " frame " << i << ": expected "
                          << expected[c][i] << ", got " << actual[c][i];
                }
                ++differing;
            }
        }
    }
    if (differing == 0) {
        return {};
    }
    return first.str() + " (" + std::to_string(differing) + " samples differ)";
}

std::string DescribeCuts(const std::vector<int>& cuts) {
    std::string text = "blocks of {";
    for (size_t i = 0; i < cuts.size(); ++i) {
        text += (i > 0 ? "," : "") + std::to_string(cuts[i]);
    }
    return text + "} repeated";
}

} // namespace battery
