// Arbitrary bytes as program and bank chunks of a real Crescenda instance. The first byte picks
// the kind; the instance must answer, keep its parameters in range, hand out chunks that restore
// to the same bytes, and still process finite audio.
#include "fuzz_instance.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<std::uint8_t> TakeChunk(FuzzInstance& instance, bool program) {
    void* data = nullptr;
    const VstIntPtr size = instance.Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
    if (size <= 0 || data == nullptr) {
        return {};
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    return std::vector<std::uint8_t>(bytes, bytes + size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const bool program = (data[0] & 1) != 0;
    std::vector<std::uint8_t> chunk(data + 1, data + size);
    FuzzInstance instance;
    instance.Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(chunk.size()),
                      chunk.empty() ? nullptr : chunk.data());
    instance.CheckParameters();

    // What the instance now hands out must restore to itself byte for byte.
    for (bool kind : {true, false}) {
        std::vector<std::uint8_t> saved = TakeChunk(instance, kind);
        if (saved.empty()) {
            std::abort();
        }
        std::vector<std::uint8_t> copy = saved;
        if (instance.Dispatch(effSetChunk, kind ? 1 : 0, static_cast<VstIntPtr>(copy.size()),
                              copy.data()) != 1) {
            std::abort();
        }
        if (TakeChunk(instance, kind) != saved) {
            std::abort();
        }
    }
    char name[24];
    for (int i = 0; i < instance.Effect()->numPrograms; ++i) {
        std::memset(name, 0, sizeof name);
        instance.Dispatch(effGetProgramNameIndexed, i, 0, name);
        if (std::memchr(name, '\0', sizeof name) == nullptr) {
            std::abort();
        }
    }
    instance.CheckProcessing(300);
    return 0;
}
