#include "editor/font_cache.h"

#include "editor/text_style.h"
#include "framework/pointer_list.h"
#include "platform/recursive_lock.h"
#include "raster/px_cached_font.h"

#include <cstring>

namespace {

struct CachedFont {
    CachedFont(const TextStyle& style, PX_CachedFont* made)
        : size(style.size), orientation(style.orientation), fontStyle(style.style), font(made) {
        std::memcpy(faceName, style.faceName, sizeof faceName);
        faceName[sizeof faceName - 1] = '\0';
    }
    ~CachedFont() { delete font; }
    CachedFont(const CachedFont&) = delete;
    CachedFont& operator=(const CachedFont&) = delete;

    bool Matches(const TextStyle& style) const {
        return size == style.size && orientation == style.orientation && fontStyle == style.style &&
               std::strncmp(faceName, style.faceName, sizeof faceName) == 0;
    }

    int size;
    int orientation;
    int fontStyle;
    char faceName[32];
    PX_CachedFont* font;
};

struct Cache {
    RecursiveLock lock;
    PointerList<CachedFont> entries;
};

// Built on first use; destroyed, with every font it holds, when the module is unloaded.
Cache& TheCache() {
    static Cache cache;
    return cache;
}

} // namespace

PX_CachedFont* FontCache::Obtain(const TextStyle& style,
                                 const std::function<PX_CachedFont*()>& make) {
    Cache& cache = TheCache();
    ScopedLock hold(cache.lock);
    for (int i = 0; i < cache.entries.Count(); ++i) {
        if (cache.entries.Get(i)->Matches(style)) {
            return cache.entries.Get(i)->font;
        }
    }
    PX_CachedFont* font = make();
    if (font == nullptr) {
        return nullptr;
    }
    // A list that cannot grow deletes the entry, and with it the font: the caller gets null.
    return cache.entries.Append(new CachedFont(style, font)) ? font : nullptr;
}

int FontCache::Count() {
    Cache& cache = TheCache();
    ScopedLock hold(cache.lock);
    return cache.entries.Count();
}

void FontCache::Empty() {
    Cache& cache = TheCache();
    ScopedLock hold(cache.lock);
    cache.entries.DeleteAll();
}
