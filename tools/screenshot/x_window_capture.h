// Reads the pixels an X server shows in a window (children included, as they are on screen).
#pragma once

#include "raster/px_mem_bitmap.h"
#include "tools/screenshot/screenshot_options.h"

#include <memory>
#include <string>

// An opaque bitmap of the window or of options' rectangle of it; null, with the reason in error,
// when the display, the window or its pixels cannot be had.
std::unique_ptr<PX_MemBitmap> CaptureXWindow(const ScreenshotOptions& options, std::string& error);
