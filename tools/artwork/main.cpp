// Writes the editor's images into the folder given as the only argument.
#include "artwork.h"

#include <cstdio>
#include <string>

namespace {

bool Write(cairo_surface_t *surface, const std::string &folder, const char *name) {
    const std::string path = folder + "/" + name;
    const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(),
                     cairo_status_to_string(status));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = Write(artwork::DrawBackground(), folder, "back2.png");
    ok = Write(artwork::DrawSwitch(), folder, "switch.png") && ok;
    for (const artwork::KnobSpec &knob : artwork::EditorKnobs()) {
        ok = Write(artwork::DrawKnobStrip(knob), folder, knob.knobFile) && ok;
        ok = Write(artwork::DrawScale(knob), folder, knob.scaleFile) && ok;
    }
    return ok ? 0 : 1;
}
