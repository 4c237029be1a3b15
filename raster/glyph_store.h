// The glyphs of one font: a fixed table for codes 0-127 (looked up by index), a list of the
// others kept sorted by code (binary search), and every mask back to back in one byte store.
#pragma once

#include "framework/heap_buffer.h"
#include "raster/px_glyph_record.h"

#include <cstdint>

class GlyphStore {
public:
    GlyphStore();
    GlyphStore(const GlyphStore&) = delete;
    GlyphStore& operator=(const GlyphStore&) = delete;

    // Forgets every glyph and mask (the memory is kept for the next font).
    void Clear();

    // Codes below 128 always have a record (rendered or not); others only once added.
    const PX_GlyphRecord* Find(int code) const;
    // The record of code, added in code order as {0, 0, 0, 0, code} when absent and allowed; null
    // otherwise. The pointer holds until the next record is added.
    PX_GlyphRecord* FindOrAdd(int code, bool mayAdd);

    // Room for a mask of bytes bytes at the end of the store, or null when it cannot grow; offset
    // receives the record offset of the room (1 + its position).
    uint8_t* AppendMask(int64_t bytes, int32_t& offset);
    // Gives back the end of the last mask appended, keeping its first keptBytes bytes.
    void TrimLastMask(int32_t offset, int64_t keptBytes);
    // The record's mask (width x height bytes), or null unless it lies inside the store.
    const uint8_t* Mask(const PX_GlyphRecord& glyph) const;

private:
    static constexpr int FixedCodes = 128;

    PX_GlyphRecord* ExtraBegin() const { return extra_.As<PX_GlyphRecord>(); }
    PX_GlyphRecord* ExtraEnd() const;

    PX_GlyphRecord fixed_[FixedCodes];
    HeapBuffer extra_;
    HeapBuffer coverage_;
};
