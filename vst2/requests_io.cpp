// Channels, events, names and capabilities: what the plug-in is and how it is wired.
#include "framework/trace.h"
#include "vst2/text_copy.h"
#include "vst2/vst2_requests.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr VstIntPtr IdentifyAnswer = 0x4E764566; // 'NvEf'
constexpr VstIntPtr VstVersion = 2400;
constexpr int MidiKeyNameTextSize = 256; // room for whatever the effect writes

template <class Channel>
VstIntPtr PinProperties(const Channel* channel, int index, int count, const char* prefix,
                        void* ptr) {
    if (ptr == nullptr || channel == nullptr) {
        return 0;
    }
    auto* properties = static_cast<VstPinProperties*>(ptr);
    properties->flags = kVstPinIsActive;
    if (index % 2 == 0 && index < count - 1) {
        properties->flags |= kVstPinIsStereo;
    }
    if (!channel->label.Empty()) {
        std::snprintf(properties->label, sizeof properties->label, "%s", channel->label.Text());
    } else {
        std::snprintf(properties->label, sizeof properties->label, "%s %d", prefix, index + 1);
    }
    return 1;
}

// The first min(n, count) channels become connected; the rest read and write their own scratch.
template <class Channel>
void Connect(Channel* (PluginCore::*channelAt)(int) const, PluginCore& core, int count,
             const VstSpeakerArrangement* arrangement) {
    if (arrangement == nullptr) {
        return;
    }
    const int connected = std::clamp<int>(arrangement->numChannels, 0, count);
    for (int i = 0; i < count; ++i) {
        Channel* channel = (core.*channelAt)(i);
        channel->connected = i < connected;
        if (!channel->connected) {
            *channel->slot = channel->Scratch();
        }
    }
}

} // namespace

VstIntPtr Vst2Requests::Identify(Vst2Plugin& /*plugin*/, const Vst2Request& /*request*/) {
    return IdentifyAnswer;
}

// MIDI and system-exclusive events go to the base's handlers in order; others are ignored.
VstIntPtr Vst2Requests::ProcessEvents(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr) {
        return 0;
    }
    const auto* events = static_cast<const VstEvents*>(request.ptr);
    // The list runs past the record's declared two entries.
    const VstEvent* const* list = events->events;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        const VstEvent* event = list[i];
        if (event == nullptr) {
            continue;
        }
        if (event->type == kVstMidiType) {
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
            MidiMessage message;
            message.offset = midi->deltaFrames;
            message.status = static_cast<std::uint8_t>(midi->midiData[0]);
            message.data1 = static_cast<std::uint8_t>(midi->midiData[1]);
            message.data2 = static_cast<std::uint8_t>(midi->midiData[2]);
            plugin.Core().HandleMidiMessage(message);
        } else if (event->type == kVstSysExType) {
            const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*>(event);
            SysExMessage message;
            message.offset = sysex->deltaFrames;
            message.size = sysex->dumpBytes;
            message.data = sysex->sysexDump;
            plugin.Core().HandleSysEx(message);
        }
    }
    return 1;
}

VstIntPtr Vst2Requests::GetInputProperties(Vst2Plugin& plugin, const Vst2Request& request) {
    return PinProperties(plugin.Core().Input(request.index), request.index,
                         plugin.Core().InputChannelCount(), "Input", request.ptr);
}

VstIntPtr Vst2Requests::GetOutputProperties(Vst2Plugin& plugin, const Vst2Request& request) {
    return PinProperties(plugin.Core().Output(request.index), request.index,
                         plugin.Core().OutputChannelCount(), "Output", request.ptr);
}

VstIntPtr Vst2Requests::GetPlugCategory(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    return plugin.Core().IsInstrument() ? kPlugCategSynth : kPlugCategEffect;
}

// value: the input arrangement, ptr: the output arrangement. The adapter's own arrangements,
// which effGetSpeakerArrangement reports, stay as they are.
VstIntPtr Vst2Requests::SetSpeakerArrangement(Vst2Plugin& plugin, const Vst2Request& request) {
    Connect<InputChannel>(&PluginCore::Input, plugin.Core(), plugin.Core().InputChannelCount(),
                          reinterpret_cast<const VstSpeakerArrangement*>(request.value));
    Connect<OutputChannel>(&PluginCore::Output, plugin.Core(), plugin.Core().OutputChannelCount(),
                           static_cast<const VstSpeakerArrangement*>(request.ptr));
    return 1;
}

VstIntPtr Vst2Requests::GetSpeakerArrangement(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.value != 0) {
        *reinterpret_cast<VstSpeakerArrangement**>(request.value) = &plugin.inputArrangement_;
    }
    if (request.ptr != nullptr) {
        *static_cast<VstSpeakerArrangement**>(request.ptr) = &plugin.outputArrangement_;
    }
    return 1;
}

VstIntPtr Vst2Requests::GetEffectName(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr) {
        return 0;
    }
    CopyText(static_cast<char*>(request.ptr), plugin.Core().EffectName(), EffectNameBytes);
    return 1;
}

VstIntPtr Vst2Requests::GetVendorString(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr) {
        return 0;
    }
    CopyText(static_cast<char*>(request.ptr), plugin.Core().MakerName(), VendorTextBytes);
    return 1;
}

VstIntPtr Vst2Requests::GetProductString(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr) {
        return 0;
    }
    CopyText(static_cast<char*>(request.ptr), plugin.Core().ProductName(), ProductTextBytes);
    return 1;
}

VstIntPtr Vst2Requests::CanDo(Vst2Plugin& plugin, const Vst2Request& request) {
    const char* text = static_cast<const char*>(request.ptr);
    Trace("Vst2Plugin::VSTDispatcher", __LINE__, "VSTCanDo(%s)", text != nullptr ? text : "");
    if (text == nullptr) {
        return 0;
    }
    if (std::strcmp(text, "receiveVstTimeInfo") == 0) {
        return 1;
    }
    // Hosts that scale their windows send their scale (EditScale) only to plug-ins that say this.
    if (std::strcmp(text, "supportsViewDpiScaling") == 0) {
        return plugin.Core().Editor() != nullptr ? 1 : 0;
    }
    const bool midiText =
        std::strcmp(text, "sendVstEvents") == 0 || std::strcmp(text, "sendVstMidiEvent") == 0 ||
        std::strcmp(text, "receiveVstEvents") == 0 || std::strcmp(text, "receiveVstMidiEvent") == 0;
    return midiText && plugin.Core().DoesMidi() ? 1 : 0;
}

VstIntPtr Vst2Requests::GetTailSize(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    return plugin.Core().TailSize();
}

VstIntPtr Vst2Requests::GetVstVersion(Vst2Plugin& /*plugin*/, const Vst2Request& /*request*/) {
    return VstVersion;
}

// The effect may write a longer name than a host's field holds; it is cut to the field.
VstIntPtr Vst2Requests::GetMidiKeyName(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr) {
        return 0;
    }
    auto* key = static_cast<MidiKeyName*>(request.ptr);
    key->keyName[0] = '\0';
    char text[MidiKeyNameTextSize] = {};
    const bool named = plugin.Core().MidiNoteText(key->thisKeyNumber, text);
    CopyText(key->keyName, text, sizeof key->keyName);
    return named ? 1 : 0;
}
