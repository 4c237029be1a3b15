// composite [output.png]: the editor at its defaults, painted by the raster library from the
// images embedded in this program, written as a PNG (default docs/artwork.png).
#include "editor_composite.h"
#include "png_file_writer.h"
#include "raster/px_sys_bitmap.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "docs/artwork.png";
    // The editor's drawing surface: a system bitmap of its size.
    PX_SysBitmap canvas(555, 306);
    if (canvas.PixelData() == nullptr) {
        std::fprintf(stderr, "composite: no canvas\n");
        return 1;
    }
    std::string error;
    if (!PaintEditorAtDefaults(canvas, error)) {
        std::fprintf(stderr, "composite: %s\n", error.c_str());
        return 1;
    }
    if (!WritePngFile(canvas, output)) {
        std::fprintf(stderr, "composite: cannot write %s\n", output.c_str());
        return 1;
    }
    std::printf("composite: wrote %s (555 x 306)\n", output.c_str());
    return 0;
}
