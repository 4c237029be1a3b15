// The process-wide image cache: every image a plug-in instance's editor uses is decoded once per
// process and shared by all instances. The cache owns the bitmaps until the module is unloaded.
#pragma once

#include "raster/px_bitmap.h"

#include <functional>

namespace ImageCache {

// The cached image of id, or what load() answers (remembered even when null). The cache's lock
// is held across the lookup and the load, so concurrent editors never decode an image twice.
PX_Bitmap* Obtain(int id, const std::function<PX_Bitmap*()>& load);

// Number of ids remembered (a missing image counts too).
int Count();

// Deletes every cached image. Only while no editor uses them: at module unload, and between
// measurements of a benchmark that times the first instance of a process.
void Empty();

} // namespace ImageCache
