// The drawing surface every image starts from, and the pixels taken from it.
#include "artwork.h"

namespace artwork {

cairo_t* CreateScaledCanvas(int width, int height, int scale, cairo_surface_t** surface) {
    *surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale);
    cairo_t* cr = cairo_create(*surface);
    cairo_scale(cr, scale, scale);
    return cr;
}

void AppendRows(cairo_surface_t* surface, PixelImage& image) {
    cairo_surface_flush(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        image.pixels.insert(image.pixels.end(), row, row + image.width);
    }
    image.height += height;
}

} // namespace artwork
