// The editor's full repaint at the parameters' defaults: the background, each knob's scale and
// then its frame, and the switch, in the editor's list order and blend modes.
#pragma once

#include "raster/px_bitmap.h"

#include <string>

// Paints into canvas (555 x 306); false with a message when an image is missing.
bool PaintEditorAtDefaults(PX_Bitmap& canvas, std::string& error);
