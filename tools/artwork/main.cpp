// Writes the editor's images into the folder given as the only argument.
#include "artwork.h"

#include <cstdio>
#include <string>

namespace {

bool Write(cairo_surface_t* surface, const std::string& folder, const char* name,
           bool palette = false) {
    const std::string path = folder + "/" + name;
    const bool ok =
        palette ? artwork::WritePalettePng(surface, path) : artwork::WritePng(surface, path);
    cairo_surface_destroy(surface);
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = Write(artwork::DrawBackground(), folder, "back2.png");
    ok = Write(artwork::DrawSwitch(), folder, "switch.png") && ok;
    for (const artwork::KnobSpec& knob : artwork::EditorKnobs()) {
        ok = Write(artwork::DrawKnobStrip(knob), folder, knob.knobFile, true) && ok;
        ok = Write(artwork::DrawScale(knob), folder, knob.scaleFile) && ok;
    }
    return ok ? 0 : 1;
}
