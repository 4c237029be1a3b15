// Programs (presets) and the state chunks a host saves and restores.
#include "framework/state_backup.h"
#include "vst2/text_copy.h"
#include "vst2/vst2_requests.h"

#include <cstring>

namespace {

// Chunks a host hands over are copied whole; larger ones are refused before anything changes.
constexpr VstIntPtr MaxChunkBytes = 16 * 1024 * 1024;

// At least the version of chunks that hold every preset.
constexpr std::int32_t BankChunkVersion = 0x00010000;

bool ValidPreset(const Vst2Plugin& plugin, VstIntPtr index) {
    return index >= 0 && index < plugin.Core().PresetCount();
}

} // namespace

VstIntPtr Vst2Requests::SetProgram(Vst2Plugin& plugin, const Vst2Request& request) {
    if (!ValidPreset(plugin, request.value)) {
        return 0;
    }
    PendingParams::Publishing together(plugin.Core().Pending());
    if (!plugin.Core().HasStateChunks()) {
        plugin.Core().ModifyCurrentPreset(); // so returning to it later restores the user's edits
    }
    plugin.Core().LoadPreset(static_cast<int>(request.value));
    return 0;
}

VstIntPtr Vst2Requests::GetProgram(Vst2Plugin& plugin, const Vst2Request& /*request*/) {
    return plugin.Core().CurrentPreset();
}

VstIntPtr Vst2Requests::SetProgramName(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr) {
        return 0;
    }
    // A host text without a terminator in reach is cut at the longest name a preset keeps.
    char name[PresetNameSize];
    CopyText(name, static_cast<const char*>(request.ptr), sizeof name);
    plugin.Core().ModifyCurrentPreset(name);
    plugin.Core().PresetListChanged();
    return 0;
}

VstIntPtr Vst2Requests::GetProgramName(Vst2Plugin& plugin, const Vst2Request& request) {
    CopyText(static_cast<char*>(request.ptr),
             plugin.Core().PresetName(plugin.Core().CurrentPreset()), ProgramNameBytes);
    return 0;
}

VstIntPtr Vst2Requests::GetProgramNameIndexed(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr) {
        return 0;
    }
    char* name = static_cast<char*>(request.ptr);
    CopyText(name, plugin.Core().PresetName(request.index), ProgramNameBytes);
    return name[0] != '\0' ? 1 : 0;
}

// index 0: the bank chunk (every preset); any other index: the program chunk (current values).
VstIntPtr Vst2Requests::GetChunk(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr) {
        return 0;
    }
    const bool bank = request.index == 0;
    ByteBlock& block = bank ? plugin.bankChunk_ : plugin.programChunk_;
    PluginCore::WriteChunkHeader(block);
    bool written = false;
    if (bank) {
        plugin.Core().ModifyCurrentPreset();
        written = plugin.Core().SerializePresets(block);
    } else {
        written = plugin.Core().SaveState(block);
    }
    if (!written || block.Empty()) {
        return 0;
    }
    *static_cast<void**>(request.ptr) = block.Data();
    return block.Size();
}

VstIntPtr Vst2Requests::SetChunk(Vst2Plugin& plugin, const Vst2Request& request) {
    if (request.ptr == nullptr || request.value <= 0 || request.value > MaxChunkBytes) {
        return 0;
    }
    const bool bank = request.index == 0;
    ByteBlock& block = bank ? plugin.bankChunk_ : plugin.programChunk_;
    const std::int32_t size = static_cast<std::int32_t>(request.value);
    block.ResizeZeroed(size);
    if (block.Size() != size) {
        return 0; // no memory for the copy; the block was not touched
    }
    std::memcpy(block.Data(), request.ptr, static_cast<size_t>(size));
    // The audio thread takes none of this request's locks; the backup keeps it from deriving
    // anything from the values until the whole chunk is in (or put back).
    StateBackup backup(plugin.Core());
    int position = 0;
    const std::int32_t version = PluginCore::ReadChunkHeader(block, position);
    int end = -1;
    if (bank && version >= BankChunkVersion) {
        end = plugin.Core().UnserializePresets(block, position);
    } else {
        end = plugin.Core().LoadState(block, position);
        plugin.Core().ModifyCurrentPreset();
    }
    if (end < 0) {
        backup.PutBack();
        return 0;
    }
    plugin.Core().StateRestored();
    return 1;
}
