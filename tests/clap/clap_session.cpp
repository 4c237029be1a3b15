#include "tests/clap/clap_session.h"

#include "platform/shared_library.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace clap_test {

std::string ClapPath() {
    const char* chosen = std::getenv("CRESCENDA_CLAP_PLUGIN");
    return chosen != nullptr && *chosen != '\0' ? chosen : FileBesideExecutable("Crescenda.clap");
}

::testing::AssertionResult ClapSession::Open(bool start, const std::string& path) {
    if (!module.Open(path)) {
        return ::testing::AssertionFailure() << module.Error();
    }
    if (!instance.Create()) {
        return ::testing::AssertionFailure() << instance.Error();
    }
    if (start && !(instance.Activate(44100.0, 1, 4096) && instance.StartProcessing())) {
        return ::testing::AssertionFailure() << "activate or start_processing failed";
    }
    return ::testing::AssertionSuccess();
}

clap_param_info ParamNamed(const ClapInstance& instance, const std::string& name) {
    for (const clap_param_info& info : instance.ParamInfos()) {
        if (name == info.name) {
            return info;
        }
    }
    ADD_FAILURE() << "no parameter named " << name;
    return clap_param_info{};
}

int Vst2Index(PluginHost& host, const std::string& name) {
    for (int i = 0; host.Effect() != nullptr && i < host.Effect()->numParams; ++i) {
        if (host.ParamName(i) == name) {
            return i;
        }
    }
    return -1;
}

namespace {

// The changes inside [begin, end), in frame order.
std::vector<Change> ChangesIn(const std::vector<Change>& changes, std::uint32_t begin,
                              std::uint32_t end) {
    std::vector<Change> inside;
    std::copy_if(changes.begin(), changes.end(), std::back_inserter(inside),
                 [&](const Change& c) { return c.frame >= begin && c.frame < end; });
    std::stable_sort(inside.begin(), inside.end(),
                     [](const Change& a, const Change& b) { return a.frame < b.frame; });
    return inside;
}

void CopyIn(const Stream<float>& input, AudioBuffers<float>& buffers, std::uint32_t at) {
    for (int c = 0; c < buffers.Channels(); ++c) {
        std::copy_n(input[static_cast<size_t>(c)].begin() + at, buffers.Frames(),
                    buffers.Channel(c));
    }
}

void CopyOut(const AudioBuffers<float>& buffers, Stream<float>& output, std::uint32_t at) {
    for (int c = 0; c < buffers.Channels(); ++c) {
        std::copy_n(buffers.Channel(c), buffers.Frames(),
                    output[static_cast<size_t>(c)].begin() + at);
    }
}

} // namespace

Stream<float> RenderClap(ClapInstance& instance, const Stream<float>& input, int block,
                         const std::vector<Change>& changes) {
    const int channels = static_cast<int>(input.size());
    const auto frames = static_cast<std::uint32_t>(input.empty() ? 0 : input[0].size());
    Stream<float> output(input.size(), std::vector<float>(frames));
    ClapInputEvents events;
    ClapOutputEvents pushed;
    for (std::uint32_t at = 0; at < frames; at += static_cast<std::uint32_t>(block)) {
        const std::uint32_t length = std::min<std::uint32_t>(block, frames - at);
        AudioBuffers<float> in(channels, static_cast<int>(length));
        AudioBuffers<float> out(channels, static_cast<int>(length));
        CopyIn(input, in, at);
        events.Clear();
        for (const Change& change : ChangesIn(changes, at, at + length)) {
            const clap_param_info info = ParamNamed(instance, change.param);
            const double value = change.toMax ? info.max_value : info.min_value;
            events.Add(ParamValueEvent(change.frame - at, info.id, value, info.cookie).header);
        }
        instance.Process(&in, &out, length, events, pushed);
        CopyOut(out, output, at);
    }
    return output;
}

Stream<float> RenderVst2(PluginHost& host, const Stream<float>& input, int block,
                         const std::vector<Change>& changes) {
    const int channels = static_cast<int>(input.size());
    const auto frames = static_cast<std::uint32_t>(input.empty() ? 0 : input[0].size());
    Stream<float> output(input.size(), std::vector<float>(frames));
    for (std::uint32_t at = 0; at < frames; at += static_cast<std::uint32_t>(block)) {
        const std::uint32_t end = std::min<std::uint32_t>(at + block, frames);
        std::uint32_t from = at;
        std::vector<Change> inside = ChangesIn(changes, at, end);
        inside.push_back({end, "", false}); // the block's end closes the last piece
        for (const Change& change : inside) {
            if (change.frame > from) {
                AudioBuffers<float> in(channels, static_cast<int>(change.frame - from));
                AudioBuffers<float> out(channels, static_cast<int>(change.frame - from));
                CopyIn(input, in, from);
                host.ProcessFloat(in, out);
                CopyOut(out, output, from);
                from = change.frame;
            }
            if (!change.param.empty()) {
                host.SetParameter(Vst2Index(host, change.param), change.toMax ? 1.f : 0.f);
            }
        }
    }
    return output;
}

std::string Compare(const Stream<float>& expected, const Stream<float>& actual) {
    if (expected.size() != actual.size()) {
        return "channel counts differ";
    }
    for (size_t c = 0; c < expected.size(); ++c) {
        const auto& e = expected[c];
        const auto& a = actual[c];
        for (size_t i = 0; i < std::min(e.size(), a.size()); ++i) {
            if (std::memcmp(&e[i], &a[i], sizeof(float)) != 0) {
                std::ostringstream text;
                text << "channel " << c << " frame " << i << ": expected " << e[i] << ", got "
                     << a[i];
                return text.str();
            }
        }
        if (e.size() != a.size()) {
            return "lengths differ";
        }
    }
    return {};
}

} // namespace clap_test
