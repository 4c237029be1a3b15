// Shared declarations of the editor artwork generator (an offline tool; the plug-in only embeds
// the PNG files it writes).
#pragma once

#include <cairo.h>
#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

struct Colour {
    double r;
    double g;
    double b;
};

// One printed mark on a dial: a tick at a normalised value, optionally with a text beside it.
struct DialMark {
    double value;
    enum Kind { Minor, Major } kind;
    std::string label;
};

// One knob of the editor: where it sits on the panel, its image sizes and the printing on its
// scale. The centre is the knob's centre point; frames and scales are odd-sized squares laid out
// around it, so the geometric centre is half a pixel right of and below that point.
struct KnobSpec {
    const char* name;
    const char* unit; // printed small under the name, or null
    const char* knobFile;
    const char* scaleFile;
    int centreX;
    int centreY;
    int knobSize;
    int scaleSize;
    double labelFontSize;
    std::vector<DialMark> marks;
};

// Frames in every knob strip.
constexpr int kKnobFrames = 120;

const std::vector<KnobSpec>& EditorKnobs();

// Pointer angle for a normalised value, in radians clockwise from straight up: a 270 degree sweep
// from lower left (value 0) over the top to lower right (value 1), the gap at the bottom.
double PointerAngle(double value);

// The normalised value a knob strip frame shows (frame 0 is value 0, the last frame value 1).
double FrameValue(int frame);

// Point at distance r from (cx, cy) in the direction of a pointer angle.
void PolarPoint(double cx, double cy, double r, double angle, double* x, double* y);

void SetColour(cairo_t* cr, const Colour& c, double alpha = 1.0);

// Text drawn with its ink box centred on (x, y).
void DrawCentredText(cairo_t* cr, const std::string& text, double x, double y);
// Size of the ink box of a text in the current font.
void TextSize(cairo_t* cr, const std::string& text, double* width, double* height);
void SelectFont(cairo_t* cr, double size, bool bold, bool serif = false);

// Premultiplied ARGB pixels, row after row, as cairo's image surfaces hold them.
struct PixelImage {
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
};

// Appends the surface's rows to the image (whose width must be the surface's).
void AppendRows(cairo_surface_t* surface, PixelImage& image);

// A surface of width x height 1x pixels times scale on each side, and a context on it whose user
// space stays in 1x pixels: every image is drawn from one geometry at any scale, so a 2x image
// has the same shapes with twice the detail instead of stretched pixels.
cairo_t* CreateScaledCanvas(int width, int height, int scale, cairo_surface_t** surface);

// Each image at a whole-number scale (1 is the editor's own size).
cairo_surface_t* DrawBackground(int scale);
PixelImage DrawKnobStrip(const KnobSpec& knob, int scale);
cairo_surface_t* DrawScale(const KnobSpec& knob, int scale);
cairo_surface_t* DrawSwitch(int scale);

// Writers; both return false when the file cannot be written.
bool WritePng(cairo_surface_t* surface, const std::string& path);
// At most 256 colours, for images made of few distinct colours repeated many times.
bool WritePalettePng(const PixelImage& image, const std::string& path);

// Square image sizes handed to the drawing functions are odd; this is their geometric centre.
inline double Middle(int size) {
    return size / 2.0;
}

} // namespace artwork
