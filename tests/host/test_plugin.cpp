// A small VST 2.4 effect the host and renderer tests load: gain and a whole-sample delay that it
// reports as latency, three programs, program and bank chunks, text-to-parameter, and a few
// vendor-specific requests through which a test reads what the plug-in saw of its host.
#include "tests/host/test_plugin_requests.h"
#include "vst2/vst2_abi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kChannels = 2;
constexpr int kMaxDelay = 64;
constexpr float kMaxGain = 2.f;
constexpr int kGain = 0;
constexpr int kDelay = 1;
constexpr int kNumParams = 2;
constexpr int kNumPrograms = 3;

struct Program {
    char name[kVstMaxProgNameLen];
    float values[kNumParams]; // normalised
};

struct Fixture {
    AEffect effect{};
    audioMasterCallback host = nullptr;
    Program programs[kNumPrograms] = {
        {"Unity", {0.5f, 0.f}}, {"Quiet", {0.125f, 0.f}}, {"Late", {0.5f, 0.5f}}};
    int current = 0;
    std::vector<float> history[kChannels]; // the last kMaxDelay input samples per channel
    std::vector<float> scratch[kChannels];
    char product[kVstMaxProductStrLen] = {};
    VstIntPtr processLevel = -1;
    double samplePos = -1.0;
    bool inPlace = false;
    bool timeWasNull = false;
    std::vector<unsigned char> chunk;
};

Fixture* From(AEffect* e) {
    return static_cast<Fixture*>(e->object);
}
float& Value(Fixture& f, int index) {
    return f.programs[f.current].values[index];
}
float Gain(Fixture& f) {
    return Value(f, kGain) * kMaxGain;
}
int Delay(Fixture& f) {
    return static_cast<int>(std::lround(Value(f, kDelay) * kMaxDelay));
}

void UpdateLatency(Fixture& f) {
    f.effect.initialDelay = Delay(f);
}

void CopyText(void* ptr, const char* text, size_t size) {
    if (ptr != nullptr && size > 0) {
        const size_t length = std::min(std::strlen(text), size - 1);
        std::memcpy(ptr, text, length);
        static_cast<char*>(ptr)[length] = '\0';
    }
}

void SeeHost(Fixture& f) {
    f.processLevel = f.host(&f.effect, audioMasterGetCurrentProcessLevel, 0, 0, nullptr, 0.f);
    auto* time =
        reinterpret_cast<VstTimeInfo*>(f.host(&f.effect, audioMasterGetTime, 0, 0, nullptr, 0.f));
    f.timeWasNull = time == nullptr;
    f.samplePos = time != nullptr ? time->samplePos : -1.0;
}

// Gain applied to the input delayed by Delay() samples; in-place safe (input copied first).
template <typename T>
void Render(Fixture& f, T** in, T** out, int frames, bool accumulate) {
    const int delay = Delay(f);
    const float gain = Gain(f);
    for (int c = 0; c < kChannels; ++c) {
        std::vector<float>& line = f.scratch[c];
        line.resize(static_cast<size_t>(kMaxDelay + frames));
        std::copy(f.history[c].begin(), f.history[c].end(), line.begin());
        for (int i = 0; i < frames; ++i) {
            line[static_cast<size_t>(kMaxDelay + i)] = static_cast<float>(in[c][i]);
        }
        for (int i = 0; i < frames; ++i) {
            const T value = static_cast<T>(gain * line[static_cast<size_t>(kMaxDelay + i - delay)]);
            out[c][i] = accumulate ? out[c][i] + value : value;
        }
        std::copy(line.end() - kMaxDelay, line.end(), f.history[c].begin());
    }
}

void ProcessReplacing(AEffect* e, float** in, float** out, VstInt32 frames) {
    Fixture& f = *From(e);
    SeeHost(f);
    f.inPlace = in[0] == out[0] && in[1] == out[1];
    Render(f, in, out, frames, false);
}

void ProcessAccumulating(AEffect* e, float** in, float** out, VstInt32 frames) {
    Fixture& f = *From(e);
    SeeHost(f);
    f.inPlace = in[0] == out[0] && in[1] == out[1];
    Render(f, in, out, frames, true);
}

void ProcessDouble(AEffect* e, double** in, double** out, VstInt32 frames) {
    Fixture& f = *From(e);
    SeeHost(f);
    Render(f, in, out, frames, false);
}

void SetParameter(AEffect* e, VstInt32 index, float value) {
    Fixture& f = *From(e);
    if (index >= 0 && index < kNumParams) {
        Value(f, index) = std::clamp(value, 0.f, 1.f);
        UpdateLatency(f);
    }
}

float GetParameter(AEffect* e, VstInt32 index) {
    Fixture& f = *From(e);
    return index >= 0 && index < kNumParams ? Value(f, index) : 0.f;
}

void Display(Fixture& f, int index, void* ptr) {
    char text[32];
    if (index == kGain) {
        std::snprintf(text, sizeof(text), "%.2f", static_cast<double>(Gain(f)));
    } else {
        std::snprintf(text, sizeof(text), "%d", Delay(f));
    }
    CopyText(ptr, text, kVstMaxParamStrLen);
}

// Plain value in the parameter's own units: gain 0..2, delay 0..64 samples.
VstIntPtr String2Parameter(Fixture& f, int index, const char* text) {
    if (text == nullptr || index < 0 || index >= kNumParams) {
        return 0;
    }
    char* end = nullptr;
    const double plain = std::strtod(text, &end);
    if (end == text || !std::isfinite(plain)) {
        return 0;
    }
    const double range = index == kGain ? kMaxGain : kMaxDelay;
    SetParameter(&f.effect, index, static_cast<float>(std::clamp(plain / range, 0.0, 1.0)));
    return 1;
}

VstIntPtr GetChunk(Fixture& f, bool program, void* ptr) {
    if (program) {
        const Program& p = f.programs[f.current];
        f.chunk.assign(reinterpret_cast<const unsigned char*>(p.values),
                       reinterpret_cast<const unsigned char*>(p.values) + sizeof(p.values));
    } else {
        f.chunk.assign(reinterpret_cast<const unsigned char*>(f.programs),
                       reinterpret_cast<const unsigned char*>(f.programs) + sizeof(f.programs));
    }
    *static_cast<void**>(ptr) = f.chunk.data();
    return static_cast<VstIntPtr>(f.chunk.size());
}

VstIntPtr SetChunk(Fixture& f, bool program, VstIntPtr size, const void* ptr) {
    const size_t expected = program ? sizeof(Program::values) : sizeof(f.programs);
    if (ptr == nullptr || size != static_cast<VstIntPtr>(expected)) {
        return 0;
    }
    std::memcpy(program ? static_cast<void*>(f.programs[f.current].values)
                        : static_cast<void*>(f.programs),
                ptr, expected);
    for (Program& p : f.programs) {
        p.name[kVstMaxProgNameLen - 1] = '\0';
        for (float& v : p.values) {
            v = std::isfinite(v) ? std::clamp(v, 0.f, 1.f) : 0.f;
        }
    }
    UpdateLatency(f);
    return 1;
}

VstIntPtr VendorSpecific(Fixture& f, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    switch (index) {
    case kAskProduct:
        CopyText(ptr, f.product, sizeof(f.product));
        return 1;
    case kAskProcessLevel:
        return f.processLevel;
    case kAskSamplePos:
        return static_cast<VstIntPtr>(f.samplePos);
    case kAskAutomate:
        return f.host(&f.effect, audioMasterAutomate, static_cast<VstInt32>(value), 0, nullptr,
                      opt);
    case kAskInPlace:
        return f.inPlace ? 1 : 0;
    case kAskTimeWasNull:
        return f.timeWasNull ? 1 : 0;
    default:
        return 0;
    }
}

VstIntPtr Dispatcher(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                     float opt) {
    Fixture& f = *From(e);
    switch (opcode) {
    case effOpen:
        f.host(e, audioMasterGetProductString, 0, 0, f.product, 0.f);
        return 0;
    case effClose:
        delete &f;
        return 1;
    case effSetProgram:
        if (value >= 0 && value < kNumPrograms) {
            f.current = static_cast<int>(value);
            UpdateLatency(f);
        }
        return 0;
    case effGetProgram:
        return f.current;
    case effSetProgramName:
        if (ptr != nullptr) {
            CopyText(f.programs[f.current].name, static_cast<const char*>(ptr), kVstMaxProgNameLen);
        }
        return 0;
    case effGetProgramName:
        CopyText(ptr, f.programs[f.current].name, kVstMaxProgNameLen);
        return 0;
    case effGetProgramNameIndexed:
        if (index < 0 || index >= kNumPrograms) {
            return 0;
        }
        CopyText(ptr, f.programs[index].name, kVstMaxProgNameLen);
        return 1;
    case effGetParamName:
        CopyText(ptr, index == kGain ? "Gain" : "Delay", kVstMaxParamStrLen);
        return 0;
    case effGetParamLabel:
        CopyText(ptr, index == kGain ? "x" : "smp", kVstMaxParamStrLen);
        return 0;
    case effGetParamDisplay:
        Display(f, index, ptr);
        return 0;
    case effString2Parameter:
        return String2Parameter(f, index, static_cast<const char*>(ptr));
    case effGetChunk:
        return GetChunk(f, index != 0, ptr);
    case effSetChunk:
        return SetChunk(f, index != 0, value, ptr);
    case effMainsChanged:
        if (value != 0) {
            for (auto& h : f.history) {
                std::fill(h.begin(), h.end(), 0.f);
            }
        }
        return 0;
    case effGetEffectName:
        CopyText(ptr, "Host Test Effect", kVstMaxEffectNameLen);
        return 1;
    case effGetVstVersion:
        return 2400;
    case effVendorSpecific:
        return VendorSpecific(f, index, value, ptr, opt);
    default:
        return 0;
    }
}

AEffect* Create(audioMasterCallback host) {
    // Like many plug-ins, ask the host's version while being constructed.
    if (host == nullptr || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.f) < 2400) {
        return nullptr;
    }
    auto* f = new Fixture;
    f->host = host;
    for (int c = 0; c < kChannels; ++c) {
        f->history[c].assign(kMaxDelay, 0.f);
    }
    AEffect& e = f->effect;
    e.magic = kEffectMagic;
    e.dispatcher = &Dispatcher;
    e.process = &ProcessAccumulating;
    e.setParameter = &SetParameter;
    e.getParameter = &GetParameter;
    e.numPrograms = kNumPrograms;
    e.numParams = kNumParams;
    e.numInputs = kChannels;
    e.numOutputs = kChannels;
    e.flags = effFlagsCanReplacing | effFlagsProgramChunks | effFlagsCanDoubleReplacing;
    e.ioRatio = 1.f;
    e.object = f;
    e.uniqueID = 0x48546678; // 'HTfx'
    e.version = 1;
    e.processReplacing = &ProcessReplacing;
    e.processDoubleReplacing = &ProcessDouble;
    UpdateLatency(*f);
    return &e;
}

} // namespace

extern "C" AEffect* VSTPluginMain(audioMasterCallback host) {
    return Create(host);
}
// The older export name; C++ reserves the name main for programs, so the symbol is named directly.
extern "C" AEffect* MainEntry(audioMasterCallback host) __asm__("main");
extern "C" AEffect* MainEntry(audioMasterCallback host) {
    return Create(host);
}
