// The state extension: the program chunk's bytes (framework/program_chunk.h) through the host's
// streams, which may move fewer bytes per call than asked.
#include "clap/clap_extensions.h"
#include "clap/clap_plugin.h"
#include "framework/program_chunk.h"

#include <cstring>

namespace {

// Far more than any program chunk; a longer stream is not ours.
constexpr std::int32_t MaxStateBytes = 64 * 1024;
constexpr std::int32_t ReadPiece = 4096;

bool WriteAll(const clap_ostream* stream, const ByteBlock& block) {
    std::int32_t done = 0;
    while (done < block.Size()) {
        const std::int64_t moved = stream->write(stream, block.Data() + done,
                                                 static_cast<std::uint64_t>(block.Size() - done));
        if (moved <= 0) {
            return false;
        }
        done += static_cast<std::int32_t>(moved);
    }
    return true;
}

// The whole stream, or false when it fails or runs past MaxStateBytes.
bool ReadAll(const clap_istream* stream, ByteBlock& block) {
    char piece[ReadPiece];
    for (;;) {
        const std::int64_t moved = stream->read(stream, piece, sizeof piece);
        if (moved == 0) {
            return true;
        }
        if (moved < 0 || moved > ReadPiece || block.Size() + moved > MaxStateBytes) {
            return false;
        }
        const std::int32_t before = block.Size();
        block.ResizeZeroed(before + static_cast<std::int32_t>(moved));
        if (block.Size() != before + moved) {
            return false;
        }
        std::memcpy(block.Data() + before, piece, static_cast<size_t>(moved));
    }
}

bool Save(const clap_plugin* plugin, const clap_ostream* stream) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr || stream == nullptr || stream->write == nullptr) {
        return false;
    }
    ByteBlock chunk;
    return SaveProgramChunk(instance->Core(), chunk) && WriteAll(stream, chunk);
}

bool Load(const clap_plugin* plugin, const clap_istream* stream) {
    ClapPlugin* instance = ClapPlugin::From(plugin);
    if (instance == nullptr || stream == nullptr || stream->read == nullptr) {
        return false;
    }
    ByteBlock chunk;
    return ReadAll(stream, chunk) && LoadProgramChunk(instance->Core(), chunk);
}

} // namespace

const clap_plugin_state* StateExtension() {
    static const clap_plugin_state table{&Save, &Load};
    return &table;
}
