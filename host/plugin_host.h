// The bundled VST 2.4 host: loads a plug-in binary, answers its host callback the way hosts do,
// records every call it receives, and drives the dispatcher and the process callbacks with
// buffers it owns. Tests, the probe and the renderer use it exactly as a host would.
#pragma once

#include "host/audio_buffers.h"
#include "host/host_call.h"
#include "platform/shared_library.h"
#include "vst2/vst2_abi.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

enum class ProcessMode {
    Replacing,    // processReplacing: outputs are overwritten
    Accumulating, // process: the plug-in adds to what the outputs hold
};

class PluginHost {
public:
    // Called (outside the host's lock, on the plug-in's thread) after each recorded call, so a
    // test can react, e.g. call straight back into the plug-in on audioMasterAutomate.
    using CallHook = std::function<void(PluginHost& host, const HostCall& call)>;

    PluginHost();
    ~PluginHost(); // closes the instance if still there, then releases the binary
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // Loads the binary and creates an instance through the named export ("VSTPluginMain" or
    // "main"); with no name, as hosts do: "VSTPluginMain", else "main". Fails (LastError() says
    // why) if the binary, the export or a valid effect is missing.
    bool Load(const std::string& path, const char* entryName = nullptr);
    // Creates an instance through an entry point linked into this program (the effect built
    // from the project's libraries), and drives it like a loaded one.
    bool Create(VstPluginMainProc entry);
    // Ends the instance (as Close) and releases the binary.
    void Unload();
    const std::string& LastError() const { return error_; }

    AEffect* Effect() const { return effect_; }

    // --- Dispatcher and parameters (null effect: 0 / nothing)
    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.f);
    void SetParameter(int index, float value);
    float GetParameter(int index);

    // effOpen, effSetSampleRate, effSetBlockSize, effMainsChanged(1).
    bool Open(double sampleRate = 44100.0, int blockSize = 512);
    // effMainsChanged(0) if on, then effClose: the instance is gone, Effect() becomes null.
    void Close();
    void SetSampleRate(double sampleRate); // effSetSampleRate; the host answers it from now on
    void SetBlockSize(int blockSize);      // effSetBlockSize; likewise
    void MainsChanged(bool on);            // effMainsChanged(on)
    double SampleRate() const { return sampleRate_; }
    int BlockSize() const { return blockSize_; }

    // Texts the plug-in writes into a host buffer of `bufferSize` bytes (terminated by the host).
    std::string DispatchText(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                             size_t bufferSize = 256);
    std::string ParamName(int index);
    std::string ParamLabel(int index);
    std::string ParamDisplay(int index);
    std::string ProgramName();
    std::string ProgramNameIndexed(int index);
    std::string EffectName();
    int Program();
    void SetProgram(int index);

    // effGetChunk / effSetChunk; `program` selects the program chunk (index 1) over the bank.
    std::vector<uint8_t> GetChunk(bool program);
    bool SetChunk(bool program, const std::vector<uint8_t>& chunk);

    // --- Audio. The raw calls pass exactly numInputs input and numOutputs output pointers;
    // `in` must hold numInputs pointers and `out` numOutputs. In place: pass the same pointers.
    void ProcessReplacing(const float* const* in, float* const* out, int frames);
    void ProcessAccumulating(const float* const* in, float* const* out, int frames);
    void ProcessDoubleReplacing(const double* const* in, double* const* out, int frames);
    // Owning forms: false (nothing called) if a callback is missing or the buffers do not have
    // numInputs / numOutputs channels and enough frames. Frames processed: out.Frames().
    bool ProcessFloat(const AudioBuffers<float>& in, AudioBuffers<float>& out,
                      ProcessMode mode = ProcessMode::Replacing);
    bool ProcessDouble(const AudioBuffers<double>& in, AudioBuffers<double>& out);
    // In place: the output pointers are the input pointers; `io` needs
    // max(numInputs, numOutputs) channels.
    bool ProcessFloatInPlace(AudioBuffers<float>& io, ProcessMode mode = ProcessMode::Replacing);
    bool ProcessDoubleInPlace(AudioBuffers<double>& io);

    // --- How the host callback answers
    void SetProductString(const std::string& product) { product_ = product; }
    void SetVendorString(const std::string& vendor) { vendor_ = vendor; }
    void SetVendorVersion(VstIntPtr version) { vendorVersion_ = version; }
    // audioMasterGetTime answers this record (the host advances samplePos after every process
    // call); with `enabled` false it answers null.
    void SetTimeInfo(const VstTimeInfo& info, bool enabled = true);
    VstTimeInfo& TimeInfo() { return timeInfo_; }
    // audioMasterGetCurrentProcessLevel: by default kVstProcessLevelRealtime inside a process
    // call and kVstProcessLevelUser elsewhere; a level >= 0 answers that level always.
    void SetProcessLevel(VstInt32 level) { processLevel_ = level; }
    // The host capabilities audioMasterCanDo answers 1 for (others 0).
    void SetHostCanDos(const std::vector<std::string>& canDos);

    // --- What the plug-in asked
    std::vector<HostCall> Calls() const;
    void ClearCalls();
    int CountCalls(VstInt32 opcode) const;
    void SetCallHook(CallHook hook);

    // The host callback itself (audioMasterCallback); it finds the host through effect->user.
    static VstIntPtr HostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt);

private:
    // Calls the entry point with this host's callback.
    AEffect* CallEntry(VstPluginMainProc entry);
    // Takes the record as this host's instance; false (with a message naming the source) when it
    // is not a VST 2 effect record.
    bool Adopt(AEffect* effect, const std::string& source);
    VstIntPtr Answer(const HostCall& call, std::string& text);
    bool PrepareChannels(int inputs, int outputs);
    bool PrepareChannelsIfChanged();
    bool CanProcess(int inChannels, int inFrames, int outChannels, int outFrames) const;
    void AdvanceTime(int frames);

    SharedLibrary library_;
    AEffect* effect_ = nullptr;
    bool mainsOn_ = false;
    std::string error_;
    double sampleRate_ = 44100.0;
    int blockSize_ = 512;

    std::string product_ = "Crescenda Test Host";
    std::string vendor_ = "Crescenda";
    VstIntPtr vendorVersion_ = 10000;
    VstTimeInfo timeInfo_{};
    bool timeInfoEnabled_ = true;
    VstInt32 processLevel_ = -1;
    std::vector<std::string> canDos_;

    mutable std::mutex callsMutex_;
    std::vector<HostCall> calls_;
    CallHook hook_;

    // Channel pointer arrays handed to the plug-in, sized numInputs / numOutputs.
    std::vector<float*> floatIn_, floatOut_;
    std::vector<double*> doubleIn_, doubleOut_;
};

// The plug-in built beside the running executable (Crescenda.so or Crescenda.dll).
std::string DefaultPluginPath();
