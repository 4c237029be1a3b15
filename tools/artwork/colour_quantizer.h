// Reduction of an image's colours to a palette of at most 256 entries.
#pragma once

#include <cstdint>
#include <vector>

namespace artwork {

// Colours are premultiplied 0xAARRGGBB words, as cairo stores them, so an error in a faint pixel
// counts for as little as it shows.
struct Palette {
    std::vector<std::uint32_t> colours; // entry 0 is fully transparent
    std::vector<std::uint8_t> indices;  // one per pixel
};

// Median cut on the pixels' colour histogram; exact when the image has few enough colours.
// Fully transparent pixels always map to entry 0, so transparency stays exact.
Palette QuantizeColours(const std::vector<std::uint32_t>& pixels, int maxColours);

} // namespace artwork
