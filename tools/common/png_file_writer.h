// Writes a bitmap as an 8-bit RGBA PNG file (libpng), the same bytes on every build; a failed
// write leaves no file.
#pragma once

#include "raster/px_bitmap.h"

#include <string>

bool WritePngFile(PX_Bitmap& bitmap, const std::string& path);
