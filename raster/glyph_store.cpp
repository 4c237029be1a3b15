#include "raster/glyph_store.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

bool ByCode(const PX_GlyphRecord& glyph, int code) {
    return glyph.code < code;
}

} // namespace

GlyphStore::GlyphStore() : extra_(4096), coverage_(65536) {
    Clear();
}

void GlyphStore::Clear() {
    std::memset(fixed_, 0, sizeof(fixed_));
    extra_.Resize(0, false);
    coverage_.Resize(0, false);
}

PX_GlyphRecord* GlyphStore::ExtraEnd() const {
    return ExtraBegin() + extra_.Used() / static_cast<int32_t>(sizeof(PX_GlyphRecord));
}

const PX_GlyphRecord* GlyphStore::Find(int code) const {
    if (code >= 0 && code < FixedCodes) {
        return &fixed_[code];
    }
    if (extra_.Used() == 0) {
        return nullptr;
    }
    PX_GlyphRecord* end = ExtraEnd();
    PX_GlyphRecord* found = std::lower_bound(ExtraBegin(), end, code, ByCode);
    return found != end && found->code == code ? found : nullptr;
}

PX_GlyphRecord* GlyphStore::FindOrAdd(int code, bool mayAdd) {
    if (const PX_GlyphRecord* found = Find(code)) {
        return const_cast<PX_GlyphRecord*>(found);
    }
    if (!mayAdd || code < 0) {
        return nullptr;
    }
    // Inserted at its place, which keeps the list as sorted as appending and re-sorting would.
    const ptrdiff_t position =
        std::lower_bound(ExtraBegin(), ExtraEnd(), code, ByCode) - ExtraBegin();
    const int32_t used = extra_.Used();
    if (extra_.Resize(used + static_cast<int32_t>(sizeof(PX_GlyphRecord)), false) == nullptr ||
        extra_.Used() == used) {
        return nullptr;
    }
    PX_GlyphRecord* slot = ExtraBegin() + position;
    std::memmove(slot + 1, slot,
                 reinterpret_cast<char*>(ExtraEnd() - 1) - reinterpret_cast<char*>(slot));
    *slot = PX_GlyphRecord{0, 0, 0, 0, code};
    return slot;
}

uint8_t* GlyphStore::AppendMask(int64_t bytes, int32_t& offset) {
    const int64_t used = coverage_.Used();
    if (bytes < 1 || used + bytes > INT32_MAX) {
        return nullptr;
    }
    coverage_.Resize(static_cast<int32_t>(used + bytes), false);
    if (coverage_.Used() != used + bytes) {
        return nullptr;
    }
    offset = static_cast<int32_t>(used + 1);
    return coverage_.As<uint8_t>() + used;
}

void GlyphStore::TrimLastMask(int32_t offset, int64_t keptBytes) {
    coverage_.Resize(static_cast<int32_t>(offset - 1 + keptBytes), false);
}

const uint8_t* GlyphStore::Mask(const PX_GlyphRecord& glyph) const {
    if (glyph.offset <= 0 || glyph.width < 0 || glyph.height < 0) {
        return nullptr;
    }
    const int64_t end = int64_t{glyph.offset} - 1 + int64_t{glyph.width} * glyph.height;
    if (end > coverage_.Used()) {
        return nullptr;
    }
    return coverage_.As<uint8_t>() + (glyph.offset - 1);
}
