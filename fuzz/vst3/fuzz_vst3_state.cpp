// Arbitrary bytes as the VST3 component state of a real Crescenda instance, read through a host
// stream that hands out at most the first byte's count per read. The instance must answer, keep
// its parameters in range, save a state that loads back to the same bytes, still process finite
// audio, and go away when its last reference is released.
#include "host/audio_buffers.h"
#include "host/vst3/memory_stream.h"
#include "vst3/effect_class.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace vst3;

template <typename Interface>
Interface* Query(FUnknown* object) {
    void* found = nullptr;
    if (object->queryInterface(Interface::iid.bytes, &found) != kResultOk || found == nullptr) {
        std::abort();
    }
    return static_cast<Interface*>(found);
}

std::vector<char> Saved(IComponent* component) {
    MemoryStream stream;
    if (component->getState(&stream) != kResultOk || stream.Bytes().empty()) {
        std::abort();
    }
    return stream.Bytes();
}

void CheckProcessing(IAudioProcessor* processor, IComponent* component) {
    constexpr int kFrames = 300;
    ProcessSetup setup{kRealtime, kSample32, kFrames, 44100.0};
    if (processor->setupProcessing(setup) != kResultOk || component->setActive(1) != kResultOk) {
        std::abort();
    }
    AudioBuffers<float> in(2, kFrames), out(2, kFrames);
    in.Fill(0.5f);
    AudioBusBuffers inBus{2, 0, {const_cast<float**>(in.Pointers())}};
    AudioBusBuffers outBus{2, 0, {const_cast<float**>(out.Pointers())}};
    ProcessData data{};
    data.symbolicSampleSize = kSample32;
    data.numSamples = kFrames;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    processor->process(data);
    for (int c = 0; c < 2; ++c) {
        for (int k = 0; k < kFrames; ++k) {
            if (!std::isfinite(out.At(c, k))) {
                std::abort();
            }
        }
    }
    component->setActive(0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    FUnknown* instance = Vst3EffectClass().create();
    auto* component = Query<IComponent>(instance);
    auto* controller = Query<IEditController>(instance);
    auto* processor = Query<IAudioProcessor>(instance);
    instance->release();
    component->initialize(nullptr);

    MemoryStream stream(std::vector<char>(data + 1, data + size));
    stream.SetReadLimit(data[0] % 9); // 0: no limit
    component->setState(&stream);
    for (int32 i = 0; i < controller->getParameterCount(); ++i) {
        ParameterInfo info{};
        controller->getParameterInfo(i, info);
        const double value = controller->getParamNormalized(info.id);
        if (!(value >= 0.0 && value <= 1.0)) {
            std::abort();
        }
    }
    const std::vector<char> saved = Saved(component);
    MemoryStream again(saved);
    if (component->setState(&again) != kResultOk || Saved(component) != saved) {
        std::abort();
    }
    CheckProcessing(processor, component);

    component->terminate();
    controller->release();
    processor->release();
    if (component->release() != 0) {
        std::abort();
    }
    return 0;
}
