// Encodes small PNG streams with libpng's writer, for decoder tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PngImage {
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colourType = 2; // as in the IHDR chunk
    bool interlaced = false;
    std::vector<uint8_t> rows;    // height rows of packed samples, each rowBytes long
    std::vector<uint8_t> palette; // r, g, b triples for colour type 3
    std::vector<uint8_t> trns;    // tRNS chunk contents (palette alphas, or a grey/RGB sample)
};

// The encoded stream, or an empty vector when libpng refused the image.
std::vector<uint8_t> EncodePng(const PngImage& image);

// Appends a chunk of the given four-letter type with its length and a correct CRC.
void AppendChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data);

// The signature, a 159 x 927 RGBA header and a background chunk, then a text chunk whose length
// field declares 1,946,157,196 bytes while only 294 follow: 353 bytes in all.
std::vector<uint8_t> TextChunkBeyondEnd();

// Replaces the CRC of the chunk that starts at offset (its length field) with a correct one.
void FixChunkCrc(std::vector<uint8_t>& png, size_t offset);
