#include "framework/program_chunk.h"

#include "framework/plugin_core.h"
#include "framework/realtime_checks.h"

bool SaveProgramChunk(PluginCore& core, ByteBlock& block) {
    PluginCore::WriteChunkHeader(block);
    return core.SaveState(block) && !block.Empty();
}

bool LoadProgramChunk(PluginCore& core, const ByteBlock& block) {
    InstanceHold hold(core.Lock());
    int position = 0;
    const std::int32_t version = PluginCore::ReadChunkHeader(block, position);
    const std::int32_t expected =
        position + static_cast<std::int32_t>(sizeof(double)) * core.ParamCount();
    if (version == 0 || position <= 0 || block.Size() != expected ||
        core.LoadState(block, position) != expected) {
        return false;
    }
    core.ModifyCurrentPreset();
    core.StateRestored();
    return true;
}
