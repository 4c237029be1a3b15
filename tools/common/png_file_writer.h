// Writes a bitmap as an 8-bit RGBA PNG file (libpng), the same bytes on every build; a failed
// write leaves no file.
#pragma once

#include "raster/px_bitmap.h"

#include <string>

bool WritePngFile(PX_Bitmap& bitmap, const std::string& path);

// The tools' last step: writes the picture and says what it wrote, or that it could not, on
// behalf of the named tool. Answers the tool's exit status (0, or 1 on failure).
int WritePictureAndReport(const char* tool, PX_Bitmap& picture, const std::string& path);
