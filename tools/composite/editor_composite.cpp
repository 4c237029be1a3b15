#include "editor_composite.h"

#include "platform/module_handle.h"
#include "raster/px_blit_rect.h"
#include "raster/px_read_png.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct Area {
    int left, top, right, bottom;
};

struct Knob {
    const char* name;
    int knobId;
    int scaleId;
    int cx, cy;
    double value; // normalised default
};

constexpr int kFrames = 120;
const Knob kKnobs[] = {
    {"Sensitivity", 112, 113, 323, 120, 0.7},
    {"Time", 107, 108, 133, 167, 0.5},
    {"Depth", 109, 110, 478, 84, 0.75},
    {"Vol", 114, 115, 482, 228, 0.5},
};
constexpr int kBackgroundId = 106;
constexpr int kSwitchId = 105;
constexpr int kSwitchFrames = 2;

using Image = std::unique_ptr<PX_MemBitmap>;

// A blit of the image's part at (sourceX, sourceY) into destination, clipped to the canvas, which
// is the drawing clip of a full repaint.
void PaintImageAt(PX_Bitmap& canvas, PX_Bitmap& image, Area destination, int sourceX, int sourceY,
                  int mode) {
    const Area clipped{std::max(destination.left, 0), std::max(destination.top, 0),
                       std::min(destination.right, canvas.Width()),
                       std::min(destination.bottom, canvas.Height())};
    if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) {
        return;
    }
    const int x = sourceX + (clipped.left - destination.left);
    const int y = sourceY + (clipped.top - destination.top);
    const PX_Rect source{x, y, x + (clipped.right - clipped.left),
                         y + (clipped.bottom - clipped.top)};
    PX_BlitRect(&canvas, &image, clipped.left, clipped.top, &source, 1.0f, mode);
}

// Frame f (1-based) of a strip of stacked frames: its top is floor(height * (f - 1) / n + 0.5).
int FrameTop(int height, int frames, int frame) {
    if (frames <= 1 || frame <= 1) {
        return 0;
    }
    return int(std::floor(double(height) * (frame - 1) / frames + 0.5));
}

Image Load(int id, std::string& error) {
    Image image(PX_ReadPngResource(ThisModuleHandle(), id));
    if (!image) {
        error = "image " + std::to_string(id) + " is missing from the resources";
    }
    return image;
}

} // namespace

bool PaintEditorAtDefaults(PX_Bitmap& canvas, std::string& error) {
    const int blend = PX_COMBINE_COPY | PX_COMBINE_SOURCE_ALPHA;
    Image background = Load(kBackgroundId, error);
    if (!background) {
        return false;
    }
    PaintImageAt(canvas, *background, Area{0, 0, 555, 306}, 0, 0, PX_COMBINE_COPY);

    for (const Knob& knob : kKnobs) {
        Image strip = Load(knob.knobId, error);
        Image scale = Load(knob.scaleId, error);
        if (!strip || !scale) {
            return false;
        }
        const int w = strip->Width();
        const int h = strip->Height();
        const Area area{knob.cx - w / 2, knob.cy - h / (2 * kFrames), knob.cx - w / 2 + w,
                        knob.cy - h / (2 * kFrames) + h / kFrames};
        const Area capArea{knob.cx - scale->Width() / 2, knob.cy - scale->Height() / 2,
                           knob.cx - scale->Width() / 2 + scale->Width(),
                           knob.cy - scale->Height() / 2 + scale->Height()};
        // The scale first, always with source alpha at full weight; then the knob frame, chosen
        // without rounding: trunc((n - 1) * value) + 1.
        PaintImageAt(canvas, *scale, capArea, 0, 0, blend);
        const int frame = std::clamp(int((kFrames - 1) * knob.value) + 1, 1, kFrames);
        PaintImageAt(canvas, *strip, area, 0, FrameTop(h, kFrames, frame), blend);
    }

    Image switchStrip = Load(kSwitchId, error);
    if (!switchStrip) {
        return false;
    }
    // On (value 1): frame trunc((n - 1) * 1 + 0.5) + 1 = 2.
    const int frame = std::clamp(int((kSwitchFrames - 1) * 1.0 + 0.5) + 1, 1, kSwitchFrames);
    const Area switchArea{26, 24, 26 + switchStrip->Width(),
                          24 + switchStrip->Height() / kSwitchFrames};
    PaintImageAt(canvas, *switchStrip, switchArea, 0,
                 FrameTop(switchStrip->Height(), kSwitchFrames, frame), blend);
    return true;
}
