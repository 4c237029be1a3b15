// PluginCore: the host-independent core of every plug-in instance. It holds the identity, the
// channel configurations and scratch buffers, sample rate, block size and latency, parameters,
// presets, the attached editor and the instance lock. Effects derive from it and override the
// rendering and parameter notifications; a host adapter (vst2/, clap/) owns the effect, drives
// it and answers its host-facing operations through the HostLink it links.
#pragma once

#include "framework/byte_block.h"
#include "framework/channels.h"
#include "framework/heap_buffer.h"
#include "framework/host_link.h"
#include "framework/host_lookup.h"
#include "framework/midi_message.h"
#include "framework/pending_params.h"
#include "framework/plugin_editor.h"
#include "framework/plugin_param.h"
#include "framework/plugin_preset.h"
#include "framework/pointer_list.h"
#include "framework/text_buffer.h"
#include "platform/recursive_lock.h"

#include <atomic>
#include <cstdint>

struct TransportInfo; // filled from the host's transport by the adapter

// What the effect's constructor hands to the core.
struct PluginIdentity {
    int parameterCount;
    const char* channelString; // e.g. "1-1 2-2"
    int presetCount;
    const char* effectName;
    const char* productName;
    const char* makerName;
    std::int32_t version;   // packed 0xMMMMmmpp
    std::int32_t uniqueId;  // four-character code, first character in the most significant byte
    std::int32_t makerCode; // four-character code
};

// Packs a four-character code with its first character in the most significant byte.
constexpr std::int32_t FourCharCode(const char (&code)[5]) {
    return static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(code[0]) << 24) | (static_cast<std::uint32_t>(code[1]) << 16) |
        (static_cast<std::uint32_t>(code[2]) << 8) | static_cast<std::uint32_t>(code[3]));
}

class PluginCore {
public:
    explicit PluginCore(const PluginIdentity& identity);
    virtual ~PluginCore();
    PluginCore(const PluginCore&) = delete;
    PluginCore& operator=(const PluginCore&) = delete;

    // --- Virtual operations (slot order matters to nobody outside, but it follows the design).
    virtual void ClearState() {}
    // The effect derives its processing values from parameter index. Called on the audio thread
    // at the start of a block for every parameter that changed (ApplyPendingParams), or from a
    // request the host never overlaps with processing; never from two threads at once.
    virtual void ParamChanged(int /*index*/) {}
    // Pass-through by default: output i copies input i, remaining outputs are zeroed.
    virtual void RenderDouble(double** inputs, double** outputs, int frames); // audio thread
    virtual void RenderSingle(float** inputs, float** outputs, int frames);
    virtual void EditorOpened() {}
    virtual void EditorClosed() {}
    virtual void ActivationChanged(bool /*active*/) {}
    virtual void HandleMidiMessage(const MidiMessage& message);
    virtual void HandleSysEx(const SysExMessage& /*message*/) {}
    virtual bool MidiNoteText(int note, char* text);
    virtual bool SaveState(ByteBlock& block);
    virtual int LoadState(const ByteBlock& block, int position);
    // A defined preset's values, one per parameter, as loading it would set them; false for an
    // unknown, undefined or damaged preset. Reads the format SaveState writes, so an effect with
    // a state format of its own overrides both. Under the instance lock.
    virtual bool PresetValues(int index, double* values) const;
    virtual bool ValuesMatch(const double* values, int first) const;
    virtual void EditorResized() {}
    virtual void HostIdentified() {}
    virtual void ShowHostParamMenu(int /*index*/, int /*x*/, int /*y*/) {}
    // The editor's value for a parameter (editor thread): stored and marked pending like any
    // other write, then announced to the host. Never called with a lock of ours held, so the
    // host may read the value back, set it again or close the editor from inside the announce.
    virtual void SetParamFromEditor(int index, double normalised);
    // The host-facing operations go to the linked adapter; without one they do nothing and
    // answer 0, false or what the core holds.
    virtual void BeginParamEdit(int index);
    virtual void AnnounceParamChange(int index, double normalised);
    virtual void EndParamEdit(int index);
    virtual void AnnounceProgramChange();
    virtual bool IsOfflineRender();
    virtual int HostSamplePosition();
    virtual double HostTempo();
    virtual void HostTimeSignature(int& numerator, int& denominator);
    virtual void HostTimeInfo(TransportInfo& info);
    // Identifies the host through the adapter on first use; stored afterwards.
    virtual int HostType();
    // Which adapter carries the core; None without one.
    AdapterKind Adapter() const { return link_ != nullptr ? link_->Kind() : AdapterKind::None; }
    virtual void EditorSizeChanged(int width, int height);
    // The system asks the open editor for another scale (UI thread, no lock held): through the
    // adapter, which tells its host of the new size; without one the editor follows it alone.
    void EditorSystemScaleChanged(double factor);
    // Takes ownership of the editor: pushes every parameter's value to its controls, prepares
    // its canvas and keeps it (a previously attached editor is deleted). Null does nothing.
    virtual void AttachEditor(PluginEditor* editor);
    // Audio thread when a parameter changes it; readers elsewhere see it through an atomic.
    virtual void SetLatencySamples(int samples);
    virtual bool SendMidiToHost(const MidiMessage& message);
    virtual bool SendSysExToHost(const SysExMessage& message);
    // Pushes every parameter's value to the editor's controls.
    virtual void StateRestored();
    virtual void PresetListChanged() {}
    // Resizes and zeroes every channel's scratch to frames doubles and points every slot at its
    // channel's (possibly moved) scratch. Negative sizes and sizes above MaxBlockLength are
    // refused (false) and leave the buffers and the block size as they were. When a scratch
    // cannot grow, the block size becomes what every channel holds and the answer is false.
    virtual bool SetBlockLength(int frames);

    static constexpr int MaxBlockLength = 1 << 20;

    // The adapter that carries the core links itself here (null unlinks).
    void LinkHost(HostLink* link) { link_ = link; }

    // --- Channels and blocks (called by the adapter).
    // outputs -1 matches any output count; otherwise the pair must match exactly.
    bool LegalIO(int inputs, int outputs);
    // The three float helpers take at most BlockSize() frames (longer host blocks are handed in
    // pieces by the adapter); a larger count is cut to the block size. They never allocate.
    void LoadFloatInputs(float** hostInputs, int count, int frames); // audio thread
    void RenderReplacingFloat(int frames);                           // audio thread
    void RenderAccumulatingFloat(int frames);                        // audio thread
    void LimitToStereo();
    int ChannelPairCount() const;
    const ChannelPair* ChannelPairAt(int index) const; // null outside the list

    // --- Parameter values, from any thread and without a lock. The value is stored at once
    // (every reader and the host's display requests see it) and marked pending; the effect's
    // ParamChanged hears of it at the start of the next block (ApplyPendingParams). The editor's
    // controls are told. False for an index outside the list.
    bool SetParamFromHost(int index, double normalised); // outside 0..1 clamped
    // A plain value in the parameter's units, limited to its range (not snapped to the step);
    // NaN is refused.
    bool SetParamPlain(int index, double plain);
    double ParamNormalised(int index) const; // 0.0 outside the list
    // Audio thread, first thing in every block; also requests the host never overlaps with
    // processing (open, resume, sample rate). Runs ParamChanged for every pending parameter.
    void ApplyPendingParams();
    PendingParams& Pending() { return pending_; }

    // --- Presets and state chunks.
    bool SerializeParams(ByteBlock& block);
    int UnserializeParams(const ByteBlock& block, int position);
    bool SerializePresets(ByteBlock& block);
    int UnserializePresets(const ByteBlock& block, int position);
    void ModifyCurrentPreset(const char* name = nullptr);
    bool LoadPreset(int index);
    // Makes index the current preset without loading it, for an adapter whose audio thread has
    // already set the preset's values; false for an unknown preset.
    bool SelectPreset(int index);
    const char* PresetName(int index) const;
    void FillEmptyPresets(int count);
    // One value per parameter, in parameter order (whole numbers for the discrete kinds).
    void AddPreset(const char* name, const double* values);
    // Clears the block and writes the magic "tffp" and the chunk version.
    static void WriteChunkHeader(ByteBlock& block);
    // The chunk version after the magic at position, moving position past the header. Without the
    // magic: 0 and position unchanged (a headerless state); magic without a version: 0 and -1.
    static std::int32_t ReadChunkHeader(const ByteBlock& block, int& position);

    // --- Accessors the adapter and the effect need.
    RecursiveLock& Lock() { return lock_; }
    // Defined here: the audio thread asks for channels and slots on every block.
    int ParamCount() const { return params_.Count(); }
    PluginParam* Param(int index) const { return params_.Get(index); } // null outside the list
    int PresetCount() const { return presets_.Count(); }
    PluginPreset* Preset(int index) const { return presets_.Get(index); } // null outside the list
    int CurrentPreset() const { return currentPreset_; }
    int InputChannelCount() const { return inputChannels_.Count(); }
    int OutputChannelCount() const { return outputChannels_.Count(); }
    InputChannel* Input(int index) const { return inputChannels_.Get(index); }    // null outside
    OutputChannel* Output(int index) const { return outputChannels_.Get(index); } // null outside
    double** InputSlots() { return inputSlots_.As<double*>(); }
    double** OutputSlots() { return outputSlots_.As<double*>(); }
    double SampleRate() const { return sampleRate_; }
    void SetSampleRate(double rate) { sampleRate_ = rate; }
    int BlockSize() const { return blockSize_; }
    int Latency() const { return latency_.load(std::memory_order_acquire); }
    // The latency the next block will have: that of the stored parameter values, pending ones
    // included (Latency() follows them once a block or a resume has taken them). Any thread.
    virtual int PendingLatency() const { return Latency(); }
    int TailSize() const { return tailSize_; }
    const char* EffectName() const { return effectName_; }
    const char* ProductName() const { return productName_; }
    const char* MakerName() const { return makerName_; }
    std::int32_t UniqueId() const { return uniqueId_; }
    std::int32_t MakerCode() const { return makerCode_; }
    std::int32_t Version() const { return version_; }
    bool HasStateChunks() const { return stateChunks_; }
    bool IsInstrument() const { return isInstrument_; }
    bool DoesMidi() const { return doesMidi_; }
    PluginEditor* Editor() const { return editor_; }

protected:
    // Stores what the adapter learnt about its host (LookUpHost, PackHostVersion).
    void SetHostIdentity(int hostType, std::int32_t hostVersion);
    std::int32_t HostVersion() const { return hostVersion_; }

    int hostType_ = HostNotAsked;

private:
    // A channel string describes a handful of channels; anything wider is cut to this.
    static constexpr int MaxChannels = 64;

    void ParseChannelString(const char* text);
    // The one path by which the attached editor hears of values set outside it.
    void NotifyEditor(int index, double value, bool normalised);
    int FloatFrames(int frames) const; // frames limited to 0..block size
    PluginPreset* FirstUndefinedPreset() const;
    // Clears the preset's state, stores the current values in it and names it.
    bool DefineFromCurrentState(PluginPreset& preset, const char* name);

    PointerList<ChannelPair> channelConfigs_;
    RecursiveLock lock_;
    char effectName_[128] = {};
    char productName_[128] = {};
    char makerName_[128] = {};
    std::int32_t uniqueId_ = 0;
    std::int32_t makerCode_ = 0;
    std::int32_t version_ = 0;
    std::int32_t hostVersion_ = 0;
    bool stateChunks_ = false;
    bool isInstrument_ = false;
    bool doesMidi_ = false;
    int currentPreset_ = 0;
    double sampleRate_ = 44100.0;
    int blockSize_ = 0;
    std::atomic<int> latency_{0};
    int tailSize_ = 0;
    PluginEditor* editor_ = nullptr;
    HostLink* link_ = nullptr;
    PointerList<PluginParam> params_;
    PendingParams pending_;
    PointerList<PluginPreset> presets_;
    HeapBuffer inputSlots_{4096};  // of double*
    HeapBuffer outputSlots_{4096}; // of double*
    PointerList<InputChannel> inputChannels_;
    PointerList<OutputChannel> outputChannels_;
};

// Defined by the effect: constructs one instance, or answers null. Adapters call it under their
// process-wide creation lock and then own the instance.
PluginCore* CreatePluginInstance();
