// Text helpers on cairo's simple font interface (DejaVu faces, present on every Debian desktop).
#include "artwork.h"

namespace artwork {

void SetColour(cairo_t* cr, const Colour& c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void SelectFont(cairo_t* cr, double size, bool bold, bool serif) {
    cairo_select_font_face(cr, serif ? "DejaVu Serif" : "DejaVu Sans",
                           serif ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void TextSize(cairo_t* cr, const std::string& text, double* width, double* height) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    *width = extents.width;
    *height = extents.height;
}

void DrawCentredText(cairo_t* cr, const std::string& text, double x, double y) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    cairo_move_to(cr, x - extents.width / 2.0 - extents.x_bearing,
                  y - extents.height / 2.0 - extents.y_bearing);
    cairo_show_text(cr, text.c_str());
}

} // namespace artwork
