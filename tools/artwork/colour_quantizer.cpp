// Median cut: start with one box holding every distinct colour, keep splitting the box with the
// largest squared error at the weighted median of its widest channel, then map every colour to
// its nearest box mean.
#include "colour_quantizer.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace artwork {

namespace {

using Channels = std::array<double, 4>;

struct Entry {
    std::uint32_t colour;
    std::uint32_t count;
};

struct Box {
    std::vector<Entry> entries;
    double error = 0.0; // weighted squared distance of its colours to their mean
    int widest = 0;     // channel with the largest spread
    Channels mean{};
};

Channels Split(std::uint32_t c) {
    return {double(c >> 24), double((c >> 16) & 255), double((c >> 8) & 255), double(c & 255)};
}

std::uint32_t Join(const Channels& ch) {
    std::uint32_t c = 0;
    for (double v : ch)
        c = (c << 8) | std::uint32_t(std::clamp(v + 0.5, 0.0, 255.0));
    return c;
}

void Measure(Box* box) {
    Channels sum{}, sumSq{};
    double total = 0.0;
    Channels lo{255, 255, 255, 255}, hi{0, 0, 0, 0};
    for (const Entry& e : box->entries) {
        const Channels ch = Split(e.colour);
        for (int k = 0; k < 4; ++k) {
            sum[k] += ch[k] * e.count;
            sumSq[k] += ch[k] * ch[k] * e.count;
            lo[k] = std::min(lo[k], ch[k]);
            hi[k] = std::max(hi[k], ch[k]);
        }
        total += e.count;
    }
    box->error = 0.0;
    box->widest = 0;
    for (int k = 0; k < 4; ++k) {
        box->mean[k] = sum[k] / total;
        box->error += sumSq[k] - sum[k] * sum[k] / total;
        if (hi[k] - lo[k] > hi[box->widest] - lo[box->widest])
            box->widest = k;
    }
    // A premultiplied colour never has a channel above its alpha.
    for (int k = 1; k < 4; ++k)
        box->mean[k] = std::min(box->mean[k], box->mean[0]);
}

// Splits at the weighted median; false when the box holds a single colour.
bool SplitBox(Box* box, Box* upper) {
    if (box->entries.size() < 2)
        return false;
    const int shift = 24 - 8 * box->widest;
    std::sort(box->entries.begin(), box->entries.end(), [shift](const Entry& a, const Entry& b) {
        return ((a.colour >> shift) & 255) < ((b.colour >> shift) & 255);
    });
    std::uint64_t total = 0;
    for (const Entry& e : box->entries)
        total += e.count;
    std::uint64_t running = 0;
    std::size_t cut = 1;
    for (; cut < box->entries.size() - 1; ++cut) {
        running += box->entries[cut - 1].count;
        if (running * 2 >= total)
            break;
    }
    upper->entries.assign(box->entries.begin() + cut, box->entries.end());
    box->entries.resize(cut);
    Measure(box);
    Measure(upper);
    return true;
}

std::vector<Box> CutBoxes(std::vector<Entry> entries, int count) {
    std::vector<Box> boxes(1);
    boxes[0].entries = std::move(entries);
    Measure(&boxes[0]);
    while (int(boxes.size()) < count) {
        auto worst = std::max_element(boxes.begin(), boxes.end(),
                                      [](const Box& a, const Box& b) { return a.error < b.error; });
        if (worst->error <= 0.0)
            break;
        Box upper;
        if (!SplitBox(&*worst, &upper))
            break;
        boxes.push_back(std::move(upper));
    }
    return boxes;
}

int Nearest(const std::vector<std::uint32_t>& colours, std::size_t first, std::size_t last,
            std::uint32_t c) {
    const Channels target = Split(c);
    std::size_t best = first;
    double bestDistance = 1e300;
    for (std::size_t i = first; i < last; ++i) {
        const Channels ch = Split(colours[i]);
        double d = 0.0;
        for (int k = 0; k < 4; ++k)
            d += (ch[k] - target[k]) * (ch[k] - target[k]);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return int(best);
}

// Adds up to `slots` entries for one group of colours and maps the group onto them.
void AddGroup(const std::vector<Entry>& group, int slots, Palette* palette,
              std::unordered_map<std::uint32_t, std::uint8_t>* lookup) {
    if (group.empty())
        return;
    const std::size_t first = palette->colours.size();
    for (const Box& box : CutBoxes(group, slots))
        palette->colours.push_back(Join(box.mean));
    const std::size_t last = palette->colours.size();
    for (const Entry& e : group)
        (*lookup)[e.colour] = std::uint8_t(Nearest(palette->colours, first, last, e.colour));
}

} // namespace

Palette QuantizeColours(const std::vector<std::uint32_t>& pixels, int maxColours) {
    std::unordered_map<std::uint32_t, std::uint32_t> histogram;
    for (std::uint32_t p : pixels)
        if (p >> 24)
            ++histogram[p];
    std::vector<Entry> entries;
    entries.reserve(histogram.size());
    for (const auto& [colour, count] : histogram)
        entries.push_back({colour, count});
    // Sorted input keeps the palette the same from run to run.
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return a.colour < b.colour; });

    // Opaque and translucent colours get palette entries of their own, so an opaque pixel stays
    // exactly opaque; translucent ones come first, which keeps the transparency table short.
    std::vector<Entry> translucent, opaque;
    for (const Entry& e : entries)
        ((e.colour >> 24) == 255 ? opaque : translucent).push_back(e);
    const int free = maxColours - 1;
    int translucentSlots = std::min(int(translucent.size()), std::max(32, free / 4));
    if (int(opaque.size()) < free - translucentSlots)
        translucentSlots = free - int(opaque.size());
    translucentSlots = std::min(translucentSlots, int(translucent.size()));

    Palette palette;
    palette.colours.push_back(0);
    std::unordered_map<std::uint32_t, std::uint8_t> lookup;
    AddGroup(translucent, translucentSlots, &palette, &lookup);
    AddGroup(opaque, free - translucentSlots, &palette, &lookup);
    palette.indices.reserve(pixels.size());
    for (std::uint32_t p : pixels)
        palette.indices.push_back((p >> 24) ? lookup[p] : 0);
    return palette;
}

} // namespace artwork
