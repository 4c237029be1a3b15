// The printed scale around a knob: an arc, ticks and value labels over the knob's sweep. Only the
// ring outside the knob is printed; everything else stays transparent so the panel shows through
// (the knob's name sits in the gap at the bottom).
#include "artwork.h"
#include "palette.h"

#include <cmath>

namespace artwork {

namespace {

struct Ring {
    double cx;
    double cy;
    double arc;   // radius of the guide arc
    double minor; // outer end of a minor tick
    double major; // outer end of a major tick
};

Ring RingFor(const KnobSpec& knob) {
    const double knobRadius = knob.knobSize / 2.0;
    const double majorLength = knob.knobSize >= 120 ? 9.0 : 7.0;
    Ring ring;
    ring.cx = Middle(knob.scaleSize);
    ring.cy = Middle(knob.scaleSize);
    ring.arc = knobRadius + 5.0;
    ring.minor = ring.arc + majorLength * 0.55;
    ring.major = ring.arc + majorLength;
    return ring;
}

void DrawGuideArc(cairo_t* cr, const Ring& ring) {
    // cairo measures angles from the positive x axis, clockwise on screen.
    const double offset = -M_PI / 2.0;
    cairo_new_path(cr);
    cairo_arc(cr, ring.cx, ring.cy, ring.arc, PointerAngle(0.0) + offset,
              PointerAngle(1.0) + offset);
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, kPrintDim);
    cairo_stroke(cr);
}

void DrawTick(cairo_t* cr, const Ring& ring, const DialMark& mark) {
    const double angle = PointerAngle(mark.value);
    const double outer = mark.kind == DialMark::Major ? ring.major : ring.minor;
    double x0, y0, x1, y1;
    PolarPoint(ring.cx, ring.cy, ring.arc - 0.6, angle, &x0, &y0);
    PolarPoint(ring.cx, ring.cy, outer, angle, &x1, &y1);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, mark.kind == DialMark::Major ? 1.6 : 1.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColour(cr, mark.kind == DialMark::Major ? kPrint : kPrintDim);
    cairo_stroke(cr);
}

// The label keeps a constant gap to the tick ends: its centre moves out by the half extent of
// its box along the radial direction.
void DrawLabel(cairo_t* cr, const Ring& ring, const DialMark& mark) {
    const double angle = PointerAngle(mark.value);
    double w, h;
    TextSize(cr, mark.label, &w, &h);
    const double radialHalf =
        std::fabs(w / 2.0 * std::sin(angle)) + std::fabs(h / 2.0 * std::cos(angle));
    double x, y;
    PolarPoint(ring.cx, ring.cy, ring.major + 3.0 + radialHalf, angle, &x, &y);
    SetColour(cr, kPrint);
    DrawCentredText(cr, mark.label, x, y);
}

} // namespace

cairo_surface_t* DrawScale(const KnobSpec& knob, int scale) {
    cairo_surface_t* surface = nullptr;
    cairo_t* cr = CreateScaledCanvas(knob.scaleSize, knob.scaleSize, scale, &surface);
    const Ring ring = RingFor(knob);
    DrawGuideArc(cr, ring);
    for (const DialMark& mark : knob.marks)
        DrawTick(cr, ring, mark);
    SelectFont(cr, knob.labelFontSize, false);
    for (const DialMark& mark : knob.marks)
        if (!mark.label.empty())
            DrawLabel(cr, ring, mark);
    cairo_destroy(cr);
    return surface;
}

} // namespace artwork
