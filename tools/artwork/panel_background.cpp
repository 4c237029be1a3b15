// The editor's background: a brushed graphite panel with recessed wells for the knobs and the
// switch, the knob names in the gaps under the knobs, and the product name.
#include "artwork.h"
#include "palette.h"

#include <cmath>
#include <cstdint>

namespace artwork {

namespace {

constexpr int kWidth = 555;
constexpr int kHeight = 306;
constexpr double kSwitchX = 37.0; // centre of the switch area (26, 24, 48, 46)
constexpr double kSwitchY = 35.0;

// Deterministic noise so every run writes the same picture.
struct Noise {
    std::uint32_t state = 0x9E3779B9u;
    double Next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / 16777216.0;
    }
};

void DrawBase(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, 0.0, 0.0, kHeight);
    cairo_pattern_add_color_stop_rgb(p, 0.0, kPanelTop.r, kPanelTop.g, kPanelTop.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, kPanelBottom.r, kPanelBottom.g, kPanelBottom.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_paint(cr);
}

// Brushing: every row a shade lighter or darker, plus long faint streaks.
void DrawBrushing(cairo_t* cr) {
    Noise noise;
    cairo_set_line_width(cr, 1.0);
    for (int y = 0; y < kHeight; ++y) {
        const double t = noise.Next() - 0.5;
        if (t > 0)
            SetColour(cr, kHighlight, 0.035 * t);
        else
            SetColour(cr, kShadow, -0.07 * t);
        cairo_move_to(cr, 0, y + 0.5);
        cairo_line_to(cr, kWidth, y + 0.5);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 900; ++i) {
        const double x = noise.Next() * kWidth;
        const double y = std::floor(noise.Next() * kHeight) + 0.5;
        const double length = 30.0 + noise.Next() * 220.0;
        const bool light = noise.Next() < 0.5;
        SetColour(cr, light ? kHighlight : kShadow, light ? 0.025 : 0.05);
        cairo_move_to(cr, x - length / 2.0, y);
        cairo_line_to(cr, x + length / 2.0, y);
        cairo_stroke(cr);
    }
}

void DrawVignette(cairo_t* cr) {
    cairo_pattern_t* p = cairo_pattern_create_radial(kWidth * 0.45, kHeight * 0.35, 60.0,
                                                     kWidth * 0.45, kHeight * 0.35, 380.0);
    cairo_pattern_add_color_stop_rgba(p, 0.0, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 1.0, 0, 0, 0, 0.38);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_paint(cr);
}

void DrawBevel(cairo_t* cr) {
    cairo_set_line_width(cr, 1.0);
    SetColour(cr, kHighlight, 0.10);
    cairo_move_to(cr, 0.5, kHeight - 0.5);
    cairo_line_to(cr, 0.5, 0.5);
    cairo_line_to(cr, kWidth - 0.5, 0.5);
    cairo_stroke(cr);
    SetColour(cr, kShadow, 0.55);
    cairo_move_to(cr, kWidth - 0.5, 0.5);
    cairo_line_to(cr, kWidth - 0.5, kHeight - 0.5);
    cairo_line_to(cr, 0.5, kHeight - 0.5);
    cairo_stroke(cr);
}

// A round recess: dark inside, its upper edge in shadow and its lower edge catching the light.
void DrawWell(cairo_t* cr, double cx, double cy, double r) {
    SetColour(cr, kWell);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0.0, 2.0 * M_PI);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, cy - r, 0.0, cy + r);
    cairo_pattern_add_color_stop_rgba(p, 0.0, 0, 0, 0, 0.7);
    cairo_pattern_add_color_stop_rgba(p, 0.5, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 1.0, 1, 1, 1, 0.16);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r + 0.5, 0.0, 2.0 * M_PI);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void DrawScrew(cairo_t* cr, double cx, double cy) {
    DrawWell(cr, cx, cy, 4.0);
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, cy - 3.5, 0.0, cy + 3.5);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.42, 0.43, 0.45);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.16, 0.165, 0.175);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, 3.3, 0.0, 2.0 * M_PI);
    cairo_fill(cr);
    SetColour(cr, kShadow, 0.7);
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, cx - 2.2, cy + 1.3);
    cairo_line_to(cr, cx + 2.2, cy - 1.3);
    cairo_stroke(cr);
}

// Text with a one-pixel dark shadow below, as if engraved.
void DrawEngravedText(cairo_t* cr, const std::string& text, double x, double y,
                      const Colour& colour) {
    SetColour(cr, kShadow, 0.8);
    DrawCentredText(cr, text, x, y + 1.0);
    SetColour(cr, colour);
    DrawCentredText(cr, text, x, y);
}

void DrawKnobPlaces(cairo_t* cr) {
    for (const KnobSpec& knob : EditorKnobs()) {
        const double cx = knob.centreX + 0.5;
        const double cy = knob.centreY + 0.5;
        const double r = knob.knobSize / 2.0;
        DrawWell(cr, cx, cy, r + 2.0);
        // The name sits in the gap of the scale, between its end labels, below the knob.
        const double size = knob.knobSize >= 120 ? 13.0 : 11.5;
        const double nameY = cy + r + 4.0 + size * 0.55;
        SelectFont(cr, size, true);
        DrawEngravedText(cr, knob.name, cx, nameY, kPrint);
        if (knob.unit) {
            SelectFont(cr, 9.0, false);
            DrawEngravedText(cr, knob.unit, cx, nameY + size * 0.55 + 8.0, kPrintDim);
        }
    }
}

void DrawSwitchPlace(cairo_t* cr) {
    DrawWell(cr, kSwitchX, kSwitchY, 11.8);
    SelectFont(cr, 11.0, true);
    double w, h;
    TextSize(cr, "On/Off", &w, &h);
    DrawEngravedText(cr, "On/Off", kSwitchX + 16.0 + w / 2.0, kSwitchY, kPrint);
}

// The product name fills the free space between the Time, Sensitivity and Vol dials.
void DrawProductName(cairo_t* cr) {
    const double x = 337.0;
    const double y = 246.0;
    SelectFont(cr, 30.0, true, true);
    double w, h;
    TextSize(cr, "Crescenda", &w, &h);
    SetColour(cr, kShadow, 0.8);
    DrawCentredText(cr, "Crescenda", x, y + 1.5);
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, y - h / 2.0, 0.0, y + h / 2.0);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 1.0, 0.78, 0.45);
    cairo_pattern_add_color_stop_rgb(p, 1.0, kAccent.r * 0.85, kAccent.g * 0.8, kAccent.b * 0.7);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    DrawCentredText(cr, "Crescenda", x, y);

    // A hairline swell under the name: thin on the left, widening to the right.
    const double left = x - w / 2.0;
    const double right = x + w / 2.0;
    const double base = y + h / 2.0 + 8.0;
    cairo_new_path(cr);
    cairo_move_to(cr, left, base);
    cairo_line_to(cr, right, base - 3.0);
    cairo_line_to(cr, right, base + 3.0);
    cairo_close_path(cr);
    SetColour(cr, kAccent, 0.75);
    cairo_fill(cr);

    SelectFont(cr, 9.0, false);
    SetColour(cr, kPrintDim);
    DrawCentredText(cr, "quillmoss", x, base + 14.0);
}

} // namespace

cairo_surface_t* DrawBackground(int scale) {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = CreateScaledCanvas(kWidth, kHeight, scale, &surface);
    DrawBase(cr);
    DrawBrushing(cr);
    DrawVignette(cr);
    DrawBevel(cr);
    DrawScrew(cr, 9.5, 9.5);
    DrawScrew(cr, kWidth - 9.5, 9.5);
    DrawScrew(cr, 9.5, kHeight - 9.5);
    DrawScrew(cr, kWidth - 9.5, kHeight - 9.5);
    DrawKnobPlaces(cr);
    DrawSwitchPlace(cr);
    DrawProductName(cr);
    cairo_destroy(cr);
    return surface;
}

} // namespace artwork
