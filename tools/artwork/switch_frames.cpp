// The on/off switch: a round push button with an amber lamp, dark in the first frame and lit in
// the second.
#include "artwork.h"
#include "palette.h"

#include <cmath>

namespace artwork {

namespace {

constexpr int kSwitchSize = 22;

void Circle(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0.0, 2.0 * M_PI);
}

void DrawBezel(cairo_t* cr, double c) {
    // Recessed ring: dark on top, catching light at the bottom.
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, c - 11.0, 0.0, c + 11.0);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.03, 0.03, 0.035);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.36, 0.37, 0.39);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    Circle(cr, c, c, 10.8);
    cairo_fill(cr);

    p = cairo_pattern_create_linear(0.0, c - 9.0, 0.0, c + 9.0);
    cairo_pattern_add_color_stop_rgb(p, 0.0, 0.33, 0.34, 0.36);
    cairo_pattern_add_color_stop_rgb(p, 1.0, 0.11, 0.115, 0.125);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    Circle(cr, c, c, 9.0);
    cairo_fill(cr);
}

void DrawLamp(cairo_t* cr, double c, bool lit) {
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(c, c, 0.0, c, c, 9.0);
        cairo_pattern_add_color_stop_rgba(glow, 0.0, kAccent.r, kAccent.g, kAccent.b, 0.85);
        cairo_pattern_add_color_stop_rgba(glow, 1.0, kAccent.r, kAccent.g, kAccent.b, 0.0);
        cairo_set_source(cr, glow);
        cairo_pattern_destroy(glow);
        Circle(cr, c, c, 9.0);
        cairo_fill(cr);
    }
    cairo_pattern_t* lens = cairo_pattern_create_radial(c - 1.0, c - 1.2, 0.3, c, c, 4.5);
    if (lit) {
        cairo_pattern_add_color_stop_rgb(lens, 0.0, 1.0, 0.96, 0.82);
        cairo_pattern_add_color_stop_rgb(lens, 0.5, 1.0, 0.76, 0.36);
        cairo_pattern_add_color_stop_rgb(lens, 1.0, kAccent.r, kAccent.g * 0.9, kAccent.b * 0.6);
    } else {
        cairo_pattern_add_color_stop_rgb(lens, 0.0, 0.40, 0.30, 0.20);
        cairo_pattern_add_color_stop_rgb(lens, 0.6, 0.20, 0.14, 0.08);
        cairo_pattern_add_color_stop_rgb(lens, 1.0, 0.10, 0.07, 0.05);
    }
    cairo_set_source(cr, lens);
    cairo_pattern_destroy(lens);
    Circle(cr, c, c, 4.5);
    cairo_fill(cr);

    SetColour(cr, kShadow, 0.6);
    Circle(cr, c, c, 4.7);
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
}

} // namespace

cairo_surface_t* DrawSwitch(int scale) {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = CreateScaledCanvas(kSwitchSize, kSwitchSize * 2, scale, &surface);
    const double c = Middle(kSwitchSize);
    for (int frame = 0; frame < 2; ++frame) {
        cairo_save(cr);
        cairo_translate(cr, 0, kSwitchSize * frame);
        DrawBezel(cr, c);
        DrawLamp(cr, c, frame == 1);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    return surface;
}

} // namespace artwork
