// A plug-in instance made through VSTPluginMain, as a host makes one, for the fuzz targets. The
// host callback answers like a quiet host: version 2400 and nothing else.
#pragma once

#include "vst2/plugin_export.h"
#include "vst2/vst2_abi.h"

#include <cmath>
#include <cstdlib>
#include <vector>

inline VstIntPtr FuzzHostCallback(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/,
                                  VstIntPtr /*value*/, void* /*ptr*/, float /*opt*/) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

class FuzzInstance {
public:
    FuzzInstance() : effect_(VSTPluginMain(&FuzzHostCallback)) {
        if (effect_ == nullptr) {
            std::abort(); // creation must not fail
        }
        Dispatch(effOpen);
        Dispatch(effSetSampleRate, 0, 0, nullptr, 44100.f);
        Dispatch(effSetBlockSize, 0, 256);
        Dispatch(effMainsChanged, 0, 1);
    }
    ~FuzzInstance() {
        Dispatch(effMainsChanged, 0, 0);
        Dispatch(effClose);
    }
    FuzzInstance(const FuzzInstance&) = delete;
    FuzzInstance& operator=(const FuzzInstance&) = delete;

    AEffect* Effect() const { return effect_; }

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.f) {
        return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    }

    // Every normalised parameter must stay inside 0..1 whatever happened before.
    void CheckParameters() {
        for (int i = 0; i < effect_->numParams; ++i) {
            const float v = effect_->getParameter(effect_, i);
            if (!(v >= 0.f && v <= 1.f)) {
                std::abort();
            }
        }
    }

    // A block of finite input must come out finite, on the float and the double path.
    void CheckProcessing(int frames) {
        const auto channels = static_cast<size_t>(
            effect_->numInputs > effect_->numOutputs ? effect_->numInputs : effect_->numOutputs);
        std::vector<std::vector<float>> in(channels, std::vector<float>(frames, 0.25f));
        std::vector<std::vector<float>> out(channels, std::vector<float>(frames, 0.f));
        std::vector<float*> inPointers, outPointers;
        std::vector<std::vector<double>> inD(channels, std::vector<double>(frames, -0.5));
        std::vector<std::vector<double>> outD(channels, std::vector<double>(frames, 0.0));
        std::vector<double*> inPointersD, outPointersD;
        for (size_t c = 0; c < channels; ++c) {
            in[c][0] = 1.f; // an attack
            inPointers.push_back(in[c].data());
            outPointers.push_back(out[c].data());
            inPointersD.push_back(inD[c].data());
            outPointersD.push_back(outD[c].data());
        }
        effect_->processReplacing(effect_, inPointers.data(), outPointers.data(), frames);
        effect_->processDoubleReplacing(effect_, inPointersD.data(), outPointersD.data(), frames);
        for (size_t c = 0; c < channels; ++c) {
            for (int k = 0; k < frames; ++k) {
                if (!std::isfinite(out[c][static_cast<size_t>(k)]) ||
                    !std::isfinite(outD[c][static_cast<size_t>(k)])) {
                    std::abort();
                }
            }
        }
    }

private:
    AEffect* effect_;
};
