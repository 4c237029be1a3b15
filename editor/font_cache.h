// The process-wide font cache: one font per size, orientation, style and face, shared by every
// editor in the process and owned by the cache until the module is unloaded.
#pragma once

#include <functional>

class PX_CachedFont;
struct TextStyle;

namespace FontCache {

// The font cached for the style's size, orientation, style and face, or what make() answers.
// A null from make() is not remembered (the next request tries again). The cache's lock is held
// across the lookup and make(), so a font is never made twice.
PX_CachedFont* Obtain(const TextStyle& style, const std::function<PX_CachedFont*()>& make);

int Count();

// Deletes every cached font. Only while no editor draws text: at module unload.
void Empty();

} // namespace FontCache
