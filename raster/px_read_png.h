// Decodes PNG streams into new PX_MemBitmaps of straight-colour PX_Pixel32 words, top-down,
// 8 bits per channel, opaque images with alpha 255. Every failure answers null and leaves
// nothing allocated; images larger than PX_MAX_IMAGE_SIDE per side or PX_MAX_IMAGE_PIXELS in all
// are refused. Only the header, palette, transparency and image data are read; every other chunk
// is skipped unread.
#pragma once

#include "platform/module_handle.h"
#include "raster/px_mem_bitmap.h"

// A complete PNG stream in memory; the caller owns the result.
PX_MemBitmap* PX_ReadPngFromMemory(const void* data, int size);

// The resource of type "PNG" with the low 16 bits of id in the given module.
PX_MemBitmap* PX_ReadPngResource(ModuleHandle module, int id);

// The size a decode would give, from the stream's header (everything before the image data) with
// no pixel decoded; false, with width and height unchanged, where a decode would fail before the
// image data. A stream damaged only in its image data answers its size and fails to decode.
bool PX_ReadPngSize(const void* data, int size, int& width, int& height);
bool PX_ReadPngResourceSize(ModuleHandle module, int id, int& width, int& height);
