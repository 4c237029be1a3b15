// Writes the editor's images into the folder given as the only argument: each at the editor's own
// size and again at twice that size for high-density screens ("name@2x.png"), drawn from the same
// geometry.
#include "artwork.h"

#include <cstdio>
#include <string>

namespace {

// "knob.png" at scale 2 is "knob@2x.png"; scale 1 keeps the name.
std::string ScaledName(const char* name, int scale) {
    std::string scaled = name;
    if (scale != 1)
        scaled.insert(scaled.rfind('.'), "@" + std::to_string(scale) + "x");
    return scaled;
}

bool Reported(bool ok, const std::string& path) {
    if (!ok)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return ok;
}

bool Write(cairo_surface_t* surface, const std::string& folder, const char* name, int scale) {
    const std::string path = folder + "/" + ScaledName(name, scale);
    const bool ok = artwork::WritePng(surface, path);
    cairo_surface_destroy(surface);
    return Reported(ok, path);
}

// Knob strips hold thousands of nearly equal frames: a palette keeps their files small.
bool Write(const artwork::PixelImage& image, const std::string& folder, const char* name,
           int scale) {
    const std::string path = folder + "/" + ScaledName(name, scale);
    return Reported(artwork::WritePalettePng(image, path), path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = true;
    for (int scale : {1, 2}) {
        ok = Write(artwork::DrawBackground(scale), folder, "back2.png", scale) && ok;
        ok = Write(artwork::DrawSwitch(scale), folder, "switch.png", scale) && ok;
        for (const artwork::KnobSpec& knob : artwork::EditorKnobs()) {
            ok = Write(artwork::DrawKnobStrip(knob, scale), folder, knob.knobFile, scale) && ok;
            ok = Write(artwork::DrawScale(knob, scale), folder, knob.scaleFile, scale) && ok;
        }
    }
    return ok ? 0 : 1;
}
