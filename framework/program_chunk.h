// The program chunk, the state every format saves: the chunk header and the current values, in
// the byte format of the VST2 program chunk, so a state moves between the formats.
#pragma once

class ByteBlock;
class PluginCore;

// Clears the block first. False when the block could not grow.
bool SaveProgramChunk(PluginCore& core, ByteBlock& block);
// Loads a chunk of exactly that shape, whole or not at all: without the header, shorter or
// longer, it is refused and nothing changes. Values that are no numbers load as defaults. On
// success the current preset keeps the values and the editor shows them. Takes the instance lock.
bool LoadProgramChunk(PluginCore& core, const ByteBlock& block);
