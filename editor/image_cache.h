// The process-wide image cache. The layout learns each image's size from its header, once per
// process; its pixels are decoded on first use, once per process and scale, and shared by every
// instance's editor. The cache owns the decoded bitmaps until the module is unloaded.
//
// Two locks, neither ever taken on the audio thread: a short one guards the lists (sizes, pixels),
// a second is held across a decode, so two editors never decode one image twice and a lookup,
// an instance's layout included, never waits for a decode.
#pragma once

#include "editor/image_size.h"
#include "raster/px_bitmap.h"

#include <functional>

namespace ImageCache {

// The artwork scale, in percent, that the editor's own images are drawn for.
constexpr int BaseScale = 100;

// The size of image id, read through readSize on first ask and remembered with name for the
// process (an empty size, for a missing or unreadable image, too). Any thread but the audio thread.
ImageSize Describe(int id, const char* name, const std::function<ImageSize()>& readSize);

// The pixels of image id drawn for scale, decoded through decode(name) on first ask, where name is
// the one Describe remembered, and kept for the process (null too: a failed decode is not
// repeated). Null, with nothing decoded, for an id Describe never saw or saw with an empty size.
// A decode takes tens of milliseconds: UI thread only (an editor's first paint, a tool asking for
// a picture).
PX_Bitmap* Pixels(int id, int scale, const std::function<PX_Bitmap*(const char* name)>& decode);

// Number of (id, scale) pairs decoded so far, failures included.
int DecodedCount();

// Deletes every size and image. Only while no editor uses them: at module unload, and between
// measurements of a benchmark or test that needs the state of a fresh process.
void Empty();

} // namespace ImageCache
