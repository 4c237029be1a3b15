// A knob strip: the same knob in every frame, turned through its sweep. The light comes from the
// top and stays put while the knurled skirt and the pointer turn, as on a real knob.
#include "artwork.h"
#include "palette.h"

#include <cmath>

namespace artwork {

namespace {

struct KnobShape {
    double c;     // centre on both axes
    double outer; // frame radius: nothing is drawn beyond it
    double skirt; // knurled skirt radius
    double cap;   // top cap radius
};

KnobShape ShapeFor(int size) {
    KnobShape shape;
    shape.c = Middle(size);
    shape.outer = size / 2.0;
    shape.skirt = shape.outer - 2.5;
    shape.cap = shape.skirt * 0.76;
    return shape;
}

void FillCircle(cairo_t* cr, double cx, double cy, double r) {
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0.0, 2.0 * M_PI);
    cairo_fill(cr);
}

void VerticalGradient(cairo_t* cr, const KnobShape& s, double r, const Colour& top,
                      const Colour& bottom) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0.0, s.c - r, 0.0, s.c + r);
    cairo_pattern_add_color_stop_rgb(p, 0.0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(p, 1.0, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

// A soft contact shadow, slightly lower than the knob, fading out at the frame edge.
void DrawDropShadow(cairo_t* cr, const KnobShape& s) {
    cairo_pattern_t* p =
        cairo_pattern_create_radial(s.c, s.c + 1.0, s.skirt - 1.5, s.c, s.c + 1.0, s.outer);
    cairo_pattern_add_color_stop_rgba(p, 0.0, 0, 0, 0, 0.75);
    cairo_pattern_add_color_stop_rgba(p, 1.0, 0, 0, 0, 0.0);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
    FillCircle(cr, s.c, s.c, s.outer);
}

void DrawSkirt(cairo_t* cr, const KnobShape& s, double angle) {
    VerticalGradient(cr, s, s.skirt, kKnobSkirtTop, kKnobSkirtBottom);
    FillCircle(cr, s.c, s.c, s.skirt);

    // Knurling: grooves that turn with the knob, each with a lit edge beside it. An odd count
    // keeps the grooves at the two ends of the sweep half a groove apart (270 degrees is a whole
    // number of grooves for any multiple of four), so the end frames never look alike.
    const int grooves = 2 * static_cast<int>(std::lround(M_PI * s.skirt / 8.0)) + 1;
    const double litOffset = 1.1 / s.skirt;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < grooves; ++i) {
            const double a = angle + 2.0 * M_PI * i / grooves + (pass == 1 ? litOffset : 0.0);
            double x0, y0, x1, y1;
            PolarPoint(s.c, s.c, s.cap + 1.5, a, &x0, &y0);
            PolarPoint(s.c, s.c, s.skirt - 1.0, a, &x1, &y1);
            cairo_move_to(cr, x0, y0);
            cairo_line_to(cr, x1, y1);
        }
        if (pass == 0) {
            cairo_set_line_width(cr, 1.3);
            SetColour(cr, kShadow, 0.6);
        } else {
            cairo_set_line_width(cr, 0.9);
            SetColour(cr, kHighlight, 0.09);
        }
        cairo_stroke(cr);
    }

    // Rim: a thin light edge on top, dark below.
    cairo_pattern_t* rim = cairo_pattern_create_linear(0.0, s.c - s.skirt, 0.0, s.c + s.skirt);
    cairo_pattern_add_color_stop_rgba(rim, 0.0, 1, 1, 1, 0.30);
    cairo_pattern_add_color_stop_rgba(rim, 0.5, 1, 1, 1, 0.04);
    cairo_pattern_add_color_stop_rgba(rim, 1.0, 0, 0, 0, 0.50);
    cairo_set_source(cr, rim);
    cairo_pattern_destroy(rim);
    cairo_new_path(cr);
    cairo_arc(cr, s.c, s.c, s.skirt - 0.5, 0.0, 2.0 * M_PI);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void DrawCap(cairo_t* cr, const KnobShape& s) {
    // The cap stands a little proud of the skirt.
    SetColour(cr, kShadow, 0.45);
    FillCircle(cr, s.c, s.c + 1.0, s.cap + 1.2);

    VerticalGradient(cr, s, s.cap, kKnobCapTop, kKnobCapBottom);
    FillCircle(cr, s.c, s.c, s.cap);

    // Gloss on the upper half: an ellipse filled with a vertical fade, so every row inside it is
    // one colour and the strip stays small.
    cairo_save(cr);
    cairo_new_path(cr);
    cairo_arc(cr, s.c, s.c, s.cap - 1.0, 0.0, 2.0 * M_PI);
    cairo_clip(cr);
    cairo_save(cr);
    cairo_translate(cr, s.c, s.c - s.cap * 0.42);
    cairo_scale(cr, s.cap * 0.92, s.cap * 0.62);
    cairo_new_path(cr);
    cairo_arc(cr, 0.0, 0.0, 1.0, 0.0, 2.0 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0.0, s.c - s.cap, 0.0, s.c - s.cap * 0.1);
    cairo_pattern_add_color_stop_rgba(gloss, 0.0, 1, 1, 1, 0.20);
    cairo_pattern_add_color_stop_rgba(gloss, 1.0, 1, 1, 1, 0.0);
    cairo_set_source(cr, gloss);
    cairo_pattern_destroy(gloss);
    cairo_fill(cr);
    cairo_restore(cr);

    cairo_pattern_t* edge = cairo_pattern_create_linear(0.0, s.c - s.cap, 0.0, s.c + s.cap);
    cairo_pattern_add_color_stop_rgba(edge, 0.0, 1, 1, 1, 0.45);
    cairo_pattern_add_color_stop_rgba(edge, 0.6, 1, 1, 1, 0.05);
    cairo_pattern_add_color_stop_rgba(edge, 1.0, 0, 0, 0, 0.35);
    cairo_set_source(cr, edge);
    cairo_pattern_destroy(edge);
    cairo_new_path(cr);
    cairo_arc(cr, s.c, s.c, s.cap - 0.5, 0.0, 2.0 * M_PI);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void DrawPointer(cairo_t* cr, const KnobShape& s, double angle) {
    const double width = std::fmax(2.2, s.outer * 0.065);
    double x0, y0, x1, y1;
    PolarPoint(s.c, s.c, s.cap * 0.38, angle, &x0, &y0);
    PolarPoint(s.c, s.c, s.cap * 0.93, angle, &x1, &y1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, width + 1.6);
    SetColour(cr, kShadow, 0.55);
    cairo_stroke(cr);

    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, width);
    SetColour(cr, kAccent);
    cairo_stroke(cr);

    // A notch in the skirt continues the pointer's line to the edge.
    PolarPoint(s.c, s.c, s.cap + 2.0, angle, &x0, &y0);
    PolarPoint(s.c, s.c, s.skirt - 1.5, angle, &x1, &y1);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, width * 0.8);
    SetColour(cr, kAccent, 0.85);
    cairo_stroke(cr);
}

void DrawKnobFrame(cairo_t* cr, const KnobShape& s, double value) {
    const double angle = PointerAngle(value);
    DrawDropShadow(cr, s);
    DrawSkirt(cr, s, angle);
    DrawCap(cr, s);
    DrawPointer(cr, s, angle);
}

} // namespace

// Each frame is drawn on a surface of its own: a 2x strip is taller than the largest surface
// cairo makes.
PixelImage DrawKnobStrip(const KnobSpec& knob, int scale) {
    const int size = knob.knobSize;
    const KnobShape shape = ShapeFor(size);
    PixelImage strip{size * scale, 0, {}};
    for (int frame = 0; frame < kKnobFrames; ++frame) {
        cairo_surface_t* surface = nullptr;
        cairo_t* cr = CreateScaledCanvas(size, size, scale, &surface);
        DrawKnobFrame(cr, shape, FrameValue(frame));
        cairo_destroy(cr);
        AppendRows(surface, strip);
        cairo_surface_destroy(surface);
    }
    return strip;
}

} // namespace artwork
