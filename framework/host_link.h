// HostLink: what the core asks of its host, answered by the adapter that carries the core
// (vst2/, clap/). The adapter owns the core and links itself to it; a core without a link keeps
// its values and tells nobody.
#pragma once

#include "framework/midi_message.h"

#include <cstdint>

struct TransportInfo;

// Which adapter carries the core. The editor asks for it by name where hosts differ (who shows a
// parameter's menu, who sizes the windows around the editor).
enum class AdapterKind { None, Vst2, Vst3, Clap };

class HostLink {
public:
    virtual AdapterKind Kind() const = 0;

    // Gestures and changes of the editor, with normalised values.
    virtual void BeginParamEdit(int index) = 0;
    virtual void AnnounceParamChange(int index, double normalised) = 0;
    virtual void EndParamEdit(int index) = 0;
    // The display or the preset names changed.
    virtual void AnnounceProgramChange() = 0;
    virtual void LatencyChanged(int samples) = 0;
    // An editor was attached or changed its size.
    virtual void EditorChanged() = 0;
    // The system asks the open editor for another scale (its window moved to a monitor of another
    // DPI): the adapter lets the editor follow (PluginEditor::FollowSystemScale) and asks its host
    // to resize. UI thread, no lock of ours held. An adapter whose host cannot hear of a new size
    // keeps the editor as it is.
    virtual void SystemScaleChanged(double /*factor*/) {}

    virtual bool IsOfflineRender() = 0;
    virtual int HostSamplePosition() = 0;
    virtual double HostTempo() = 0;
    virtual void HostTimeSignature(int& numerator, int& denominator) = 0;
    // Only what the host knows is written; the caller's values stay for the rest.
    virtual void HostTimeInfo(TransportInfo& info) = 0;
    // The host's type (host_lookup.h) and its packed version; asked once by the core.
    virtual int IdentifyHost(std::int32_t& version) = 0;

    virtual bool SendMidiToHost(const MidiMessage& message) = 0;
    virtual bool SendSysExToHost(const SysExMessage& message) = 0;

protected:
    ~HostLink() = default;
};
