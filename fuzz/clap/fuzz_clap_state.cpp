// Arbitrary bytes as a CLAP state stream into a real Crescenda instance, made through its
// clap_entry by our CLAP host. The first byte shapes the stream: its low four bits the bytes
// moved per read (0: all asked), its high four bits a read error after that many times 16 bytes
// (0: none). The instance must keep every value in its range, save a state that loads back to
// the same bytes, and still process finite audio, whatever it was given.
#include "host/clap/clap_instance.h"

#include <cmath>
#include <cstdlib>

extern "C" const clap_plugin_entry clap_entry;

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static ClapModule module;
    static const bool adopted = module.Adopt(&clap_entry, "fuzz");
    Check(adopted);
    ClapHostServices services;
    ClapInstance instance(module, services);
    Check(CreateAndStart(instance, 44100.0, 256));

    StreamLimits limits;
    if ((data[0] & 0x0F) != 0) {
        limits.perCall = data[0] & 0x0F;
    }
    if ((data[0] >> 4) != 0) {
        limits.failAfter = static_cast<std::uint64_t>(data[0] >> 4) * 16;
    }
    const std::vector<std::uint8_t> stream(data + 1, data + size);
    instance.LoadState(stream, limits);

    for (const clap_param_info& info : instance.ParamInfos()) {
        double value = NAN;
        Check(instance.ParamValue(info.id, value));
        Check(value >= info.min_value && value <= info.max_value);
    }
    std::vector<std::uint8_t> saved;
    std::vector<std::uint8_t> again;
    Check(instance.SaveState(saved) && !saved.empty());
    Check(instance.LoadState(saved, {1}) && instance.SaveState(again) && again == saved);

    AudioBuffers<float> io(2, 256);
    io.Fill(0.25f);
    ClapInputEvents none;
    ClapOutputEvents output;
    Check(instance.Process(&io, &io, 256, none, output) != CLAP_PROCESS_ERROR);
    for (int c = 0; c < io.Channels(); ++c) {
        for (int i = 0; i < io.Frames(); ++i) {
            Check(std::isfinite(io.At(c, i)));
        }
    }
    return 0;
}
