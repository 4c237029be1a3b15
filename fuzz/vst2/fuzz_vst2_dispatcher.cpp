// Arbitrary request sequences into the dispatcher of a real Crescenda instance, mixed with
// parameter writes and audio blocks. Every pointer the fuzzer hands over is valid and large
// enough for the request, as a host's would be; the values, indexes and texts are anything.
// effClose and effEditOpen are left out: the one ends the instance, the other needs a window.
#include "fuzz_instance.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Reads the fuzzer's bytes front to back; past the end everything reads as 0.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    template <class T>
    T Take() {
        T value{};
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            reinterpret_cast<std::uint8_t*>(&value)[i] = Byte();
        }
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

constexpr std::size_t BufferBytes = 64 * 1024;
constexpr VstInt32 ProcessRequest = 200;   // not an opcode: an audio block
constexpr VstInt32 ParameterRequest = 201; // not an opcode: setParameter / getParameter

struct Buffers {
    std::vector<std::uint8_t> zeroed = std::vector<std::uint8_t>(BufferBytes, 0);
    std::vector<std::uint8_t> text = std::vector<std::uint8_t>(BufferBytes, 0);
    VstSpeakerArrangement arrangement{};
    void* pointerSlot = nullptr;
    VstMidiEvent midi[4]{};
    VstMidiSysexEvent sysex{};
    char sysexBytes[16] = {};
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[8];
    } events{};
};

VstInt32 PickOpcode(Bytes& bytes) {
    const std::uint8_t raw = bytes.Byte();
    if (raw >= 240) {
        return raw % 2 == 0 ? ProcessRequest : ParameterRequest;
    }
    const VstInt32 opcode = raw % 80;
    return opcode == effClose || opcode == effEditOpen ? effIdle : opcode;
}

VstInt32 PickIndex(Bytes& bytes) {
    const std::uint8_t mode = bytes.Byte();
    if (mode < 200) {
        return static_cast<VstInt32>(mode % 10) - 2; // near the lists: -2..7
    }
    return bytes.Take<VstInt32>();
}

VstIntPtr PickNumber(Bytes& bytes) {
    const std::uint8_t mode = bytes.Byte();
    if (mode < 128) {
        return static_cast<VstIntPtr>(mode) - 4;
    }
    if (mode < 250) {
        return static_cast<VstIntPtr>(bytes.Take<std::int16_t>());
    }
    return static_cast<VstIntPtr>(bytes.Take<std::int64_t>());
}

// A terminated text of the fuzzer's bytes in the text buffer.
void* PickText(Bytes& bytes, Buffers& buffers) {
    const std::size_t length = bytes.Byte() * 2u;
    for (std::size_t i = 0; i < length; ++i) {
        buffers.text[i] = bytes.Byte();
    }
    buffers.text[length] = 0;
    return buffers.text.data();
}

void* PickEvents(Bytes& bytes, Buffers& buffers) {
    const int count = bytes.Byte() % 9;
    buffers.events.numEvents = count;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t kind = bytes.Byte() % 3;
        if (kind == 0) {
            buffers.events.events[i] = nullptr;
        } else if (kind == 1) {
            VstMidiEvent& midi = buffers.midi[i % 4];
            midi.type = kVstMidiType;
            midi.byteSize = sizeof midi;
            midi.deltaFrames = bytes.Take<VstInt32>();
            for (char& b : midi.midiData) {
                b = static_cast<char>(bytes.Byte());
            }
            buffers.events.events[i] = reinterpret_cast<VstEvent*>(&midi);
        } else {
            buffers.sysex.type = kVstSysExType;
            buffers.sysex.byteSize = sizeof buffers.sysex;
            buffers.sysex.dumpBytes = sizeof buffers.sysexBytes;
            buffers.sysex.sysexDump = buffers.sysexBytes;
            buffers.events.events[i] = reinterpret_cast<VstEvent*>(&buffers.sysex);
        }
    }
    return &buffers.events;
}

void Request(FuzzInstance& instance, Bytes& bytes, Buffers& buffers) {
    const VstInt32 opcode = PickOpcode(bytes);
    AEffect* effect = instance.Effect();
    if (opcode == ProcessRequest) {
        instance.CheckProcessing(1 + bytes.Take<std::uint16_t>() % 2048);
        return;
    }
    if (opcode == ParameterRequest) {
        const VstInt32 index = PickIndex(bytes);
        effect->setParameter(effect, index, bytes.Take<float>());
        effect->getParameter(effect, index);
        return;
    }
    const VstInt32 index = PickIndex(bytes);
    VstIntPtr value = PickNumber(bytes);
    const float opt = bytes.Take<float>();
    const std::uint8_t ptrMode = bytes.Byte() % 4;
    std::memset(buffers.zeroed.data(), 0, 4096);
    void* ptr = ptrMode == 0   ? nullptr
                : ptrMode == 1 ? PickText(bytes, buffers)
                               : buffers.zeroed.data();
    switch (opcode) {
    case effSetChunk: // the size a host gives matches its data
        value = value < 0 ? value : value % static_cast<VstIntPtr>(BufferBytes + 1);
        ptr = ptr != nullptr ? buffers.text.data() : nullptr;
        break;
    case effProcessEvents:
        ptr = ptr != nullptr ? PickEvents(bytes, buffers) : nullptr;
        break;
    case effSetSpeakerArrangement:
        buffers.arrangement.numChannels = static_cast<VstInt32>(bytes.Byte()) - 2;
        value = (value & 1) != 0 ? reinterpret_cast<VstIntPtr>(&buffers.arrangement) : 0;
        ptr = ptr != nullptr ? &buffers.arrangement : nullptr;
        break;
    case effGetSpeakerArrangement:
        value = (value & 1) != 0 ? reinterpret_cast<VstIntPtr>(&buffers.pointerSlot) : 0;
        break;
    case effSetBlockSize: // keep huge but legal sizes from dominating the run time
        value = value % 70000;
        break;
    default:
        break;
    }
    instance.Dispatch(opcode, index, value, ptr, opt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    Buffers buffers;
    FuzzInstance instance;
    for (int requests = 0; requests < 64 && !bytes.Empty(); ++requests) {
        Request(instance, bytes, buffers);
    }
    instance.CheckParameters();
    instance.CheckProcessing(64);
    return 0;
}
