#include "host/plugin_host.h"

#include "host/host_thread_state.h"

#include <algorithm>
#include <cstring>

namespace {

// Channel pointers: VST2 callbacks take non-const arrays even for inputs.
template <typename T>
void CopyPointers(std::vector<T*>& target, const T* const* source) {
    for (size_t i = 0; i < target.size(); ++i) {
        target[i] = const_cast<T*>(source[i]);
    }
}

template <typename T>
void CopyPointers(std::vector<T*>& target, T* const* source) {
    for (size_t i = 0; i < target.size(); ++i) {
        target[i] = source[i];
    }
}

} // namespace

namespace {

struct InProcessScope {
    InProcessScope() : previous(tHostInProcess) { tHostInProcess = true; }
    ~InProcessScope() { tHostInProcess = previous; }
    bool previous;
};

} // namespace

PluginHost::PluginHost() {
    timeInfo_.sampleRate = sampleRate_;
    timeInfo_.tempo = 120.0;
    timeInfo_.timeSigNumerator = 4;
    timeInfo_.timeSigDenominator = 4;
    timeInfo_.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
    canDos_ = {"sendVstEvents",    "sendVstMidiEvent",    "sendVstTimeInfo",
               "receiveVstEvents", "receiveVstMidiEvent", "startStopProcess"};
    // Reserved so data() is never null, even for an effect without inputs.
    floatIn_.reserve(16);
    floatOut_.reserve(16);
    doubleIn_.reserve(16);
    doubleOut_.reserve(16);
}

PluginHost::~PluginHost() {
    Unload();
}

void PluginHost::Unload() {
    Close();
    library_.Close();
}

bool PluginHost::Load(const std::string& path, const char* entryName) {
    Unload();
    error_.clear();
    if (!library_.Open(path)) {
        error_ = library_.Error();
        return false;
    }
    const char* const name = entryName != nullptr ? entryName : "VSTPluginMain";
    auto entry = reinterpret_cast<VstPluginMainProc>(library_.Symbol(name));
    if (entry == nullptr && entryName == nullptr) {
        // Older plug-ins export only "main".
        entry = reinterpret_cast<VstPluginMainProc>(library_.Symbol("main"));
    }
    if (entry == nullptr) {
        error_ = path + " exports no " + name + (entryName == nullptr ? " or main" : "");
        library_.Close();
        return false;
    }
    AEffect* const effect = CallEntry(entry);
    if (effect == nullptr) {
        error_ = "the entry point of " + path + " created no effect";
        library_.Close();
        return false;
    }
    return Adopt(effect, path);
}

bool PluginHost::Create(VstPluginMainProc entry) {
    Unload();
    error_.clear();
    if (entry == nullptr) {
        error_ = "no entry point";
        return false;
    }
    AEffect* const effect = CallEntry(entry);
    if (effect == nullptr) {
        error_ = "the entry point of this program created no effect";
        return false;
    }
    return Adopt(effect, "this program");
}

AEffect* PluginHost::CallEntry(VstPluginMainProc entry) {
    PluginHost* const previous = tHostBeingConstructed;
    tHostBeingConstructed = this;
    AEffect* const effect = entry(&PluginHost::HostCallback);
    tHostBeingConstructed = previous;
    return effect;
}

bool PluginHost::Adopt(AEffect* effect, const std::string& source) {
    if (effect->magic != kEffectMagic) {
        // Not a VST 2 effect record: nothing about it can be trusted, so it is not touched.
        error_ = "the entry point of " + source + " returned a record without the effect magic";
        return false;
    }
    effect->user = this;
    effect_ = effect;
    mainsOn_ = false;
    PrepareChannels(effect_->numInputs, effect_->numOutputs);
    return true;
}

VstIntPtr PluginHost::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
    if (effect_ == nullptr || effect_->dispatcher == nullptr) {
        return 0;
    }
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void PluginHost::SetParameter(int index, float value) {
    if (effect_ != nullptr && effect_->setParameter != nullptr) {
        effect_->setParameter(effect_, index, value);
    }
}

float PluginHost::GetParameter(int index) {
    if (effect_ == nullptr || effect_->getParameter == nullptr) {
        return 0.f;
    }
    return effect_->getParameter(effect_, index);
}

bool PluginHost::Open(double sampleRate, int blockSize) {
    if (effect_ == nullptr) {
        return false;
    }
    Dispatch(effOpen);
    SetSampleRate(sampleRate);
    SetBlockSize(blockSize);
    MainsChanged(true);
    return true;
}

void PluginHost::Close() {
    if (effect_ == nullptr) {
        return;
    }
    if (mainsOn_) {
        MainsChanged(false);
    }
    Dispatch(effClose);
    effect_ = nullptr;
}

void PluginHost::SetSampleRate(double sampleRate) {
    sampleRate_ = sampleRate;
    timeInfo_.sampleRate = sampleRate;
    Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
}

void PluginHost::SetBlockSize(int blockSize) {
    blockSize_ = blockSize;
    Dispatch(effSetBlockSize, 0, blockSize);
}

void PluginHost::MainsChanged(bool on) {
    Dispatch(effMainsChanged, 0, on ? 1 : 0);
    mainsOn_ = on;
}

std::string PluginHost::DispatchText(VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                     size_t bufferSize) {
    if (bufferSize == 0) {
        return {};
    }
    std::vector<char> buffer(bufferSize, '\0');
    Dispatch(opcode, index, value, buffer.data());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

std::string PluginHost::ParamName(int index) {
    return DispatchText(effGetParamName, index);
}
std::string PluginHost::ParamLabel(int index) {
    return DispatchText(effGetParamLabel, index);
}
std::string PluginHost::ParamDisplay(int index) {
    return DispatchText(effGetParamDisplay, index);
}
std::string PluginHost::ProgramName() {
    return DispatchText(effGetProgramName);
}
std::string PluginHost::ProgramNameIndexed(int index) {
    return DispatchText(effGetProgramNameIndexed, index);
}
std::string PluginHost::EffectName() {
    return DispatchText(effGetEffectName);
}
int PluginHost::Program() {
    return static_cast<int>(Dispatch(effGetProgram));
}
void PluginHost::SetProgram(int index) {
    Dispatch(effSetProgram, 0, index);
}

std::vector<uint8_t> PluginHost::GetChunk(bool program) {
    void* data = nullptr;
    const VstIntPtr size = Dispatch(effGetChunk, program ? 1 : 0, 0, &data);
    if (size <= 0 || data == nullptr) {
        return {};
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    return std::vector<uint8_t>(bytes, bytes + size);
}

bool PluginHost::SetChunk(bool program, const std::vector<uint8_t>& chunk) {
    // The plug-in gets its own copy: the call takes a non-const pointer.
    std::vector<uint8_t> copy = chunk;
    return Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(copy.size()),
                    copy.empty() ? nullptr : copy.data()) != 0;
}

bool PluginHost::PrepareChannels(int inputs, int outputs) {
    if (inputs < 0 || outputs < 0) {
        return false;
    }
    floatIn_.assign(static_cast<size_t>(inputs), nullptr);
    floatOut_.assign(static_cast<size_t>(outputs), nullptr);
    doubleIn_.assign(static_cast<size_t>(inputs), nullptr);
    doubleOut_.assign(static_cast<size_t>(outputs), nullptr);
    return true;
}

void PluginHost::AdvanceTime(int frames) {
    timeInfo_.samplePos += frames;
    if (sampleRate_ > 0.0) {
        timeInfo_.ppqPos = timeInfo_.samplePos / sampleRate_ * timeInfo_.tempo / 60.0;
    }
}

void PluginHost::ProcessReplacing(const float* const* in, float* const* out, int frames) {
    if (effect_ == nullptr || effect_->processReplacing == nullptr || !PrepareChannelsIfChanged()) {
        return;
    }
    CopyPointers(floatIn_, in);
    CopyPointers(floatOut_, out);
    {
        InProcessScope scope;
        effect_->processReplacing(effect_, floatIn_.data(), floatOut_.data(), frames);
    }
    AdvanceTime(frames);
}

void PluginHost::ProcessAccumulating(const float* const* in, float* const* out, int frames) {
    if (effect_ == nullptr || effect_->process == nullptr || !PrepareChannelsIfChanged()) {
        return;
    }
    CopyPointers(floatIn_, in);
    CopyPointers(floatOut_, out);
    {
        InProcessScope scope;
        effect_->process(effect_, floatIn_.data(), floatOut_.data(), frames);
    }
    AdvanceTime(frames);
}

void PluginHost::ProcessDoubleReplacing(const double* const* in, double* const* out, int frames) {
    if (effect_ == nullptr || effect_->processDoubleReplacing == nullptr ||
        !PrepareChannelsIfChanged()) {
        return;
    }
    CopyPointers(doubleIn_, in);
    CopyPointers(doubleOut_, out);
    {
        InProcessScope scope;
        effect_->processDoubleReplacing(effect_, doubleIn_.data(), doubleOut_.data(), frames);
    }
    AdvanceTime(frames);
}

bool PluginHost::PrepareChannelsIfChanged() {
    if (effect_ == nullptr) {
        return false;
    }
    // The channel counts may change after audioMasterIOChanged.
    if (floatIn_.size() != static_cast<size_t>(std::max(effect_->numInputs, 0)) ||
        floatOut_.size() != static_cast<size_t>(std::max(effect_->numOutputs, 0))) {
        return PrepareChannels(effect_->numInputs, effect_->numOutputs);
    }
    return effect_->numInputs >= 0 && effect_->numOutputs >= 0;
}

bool PluginHost::CanProcess(int inChannels, int inFrames, int outChannels, int outFrames) const {
    return effect_ != nullptr && inChannels >= effect_->numInputs &&
           outChannels >= effect_->numOutputs && inFrames >= outFrames && outFrames >= 0;
}

bool PluginHost::ProcessFloat(const AudioBuffers<float>& in, AudioBuffers<float>& out,
                              ProcessMode mode) {
    if (!CanProcess(in.Channels(), in.Frames(), out.Channels(), out.Frames())) {
        return false;
    }
    if (mode == ProcessMode::Replacing) {
        if (effect_->processReplacing == nullptr) {
            return false;
        }
        ProcessReplacing(in.Pointers(), out.Pointers(), out.Frames());
    } else {
        if (effect_->process == nullptr) {
            return false;
        }
        ProcessAccumulating(in.Pointers(), out.Pointers(), out.Frames());
    }
    return true;
}

bool PluginHost::ProcessDouble(const AudioBuffers<double>& in, AudioBuffers<double>& out) {
    if (!CanProcess(in.Channels(), in.Frames(), out.Channels(), out.Frames()) ||
        effect_->processDoubleReplacing == nullptr) {
        return false;
    }
    ProcessDoubleReplacing(in.Pointers(), out.Pointers(), out.Frames());
    return true;
}

bool PluginHost::ProcessFloatInPlace(AudioBuffers<float>& io, ProcessMode mode) {
    return ProcessFloat(io, io, mode);
}

bool PluginHost::ProcessDoubleInPlace(AudioBuffers<double>& io) {
    return ProcessDouble(io, io);
}

void PluginHost::SetTimeInfo(const VstTimeInfo& info, bool enabled) {
    timeInfo_ = info;
    timeInfoEnabled_ = enabled;
}

void PluginHost::SetHostCanDos(const std::vector<std::string>& canDos) {
    canDos_ = canDos;
}

std::vector<HostCall> PluginHost::Calls() const {
    std::lock_guard<std::mutex> lock(callsMutex_);
    return calls_;
}

void PluginHost::ClearCalls() {
    std::lock_guard<std::mutex> lock(callsMutex_);
    calls_.clear();
}

int PluginHost::CountCalls(VstInt32 opcode) const {
    std::lock_guard<std::mutex> lock(callsMutex_);
    return static_cast<int>(std::count_if(
        calls_.begin(), calls_.end(), [opcode](const HostCall& c) { return c.opcode == opcode; }));
}

void PluginHost::SetCallHook(CallHook hook) {
    std::lock_guard<std::mutex> lock(callsMutex_);
    hook_ = std::move(hook);
}
