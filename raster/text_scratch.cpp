#include "raster/text_scratch.h"

#include <new>

namespace {

int liveFonts = 0;
PX_SysBitmap* glyphScratch = nullptr;
PX_SysBitmap* textScratch = nullptr;

PX_SysBitmap* CreatedOnce(PX_SysBitmap*& surface) {
    if (surface == nullptr) {
        surface = new (std::nothrow) PX_SysBitmap();
    }
    return surface;
}

} // namespace

void TextFontCreated() {
    ++liveFonts;
}

void TextFontDestroyed() {
    if (liveFonts > 0 && --liveFonts == 0) {
        delete glyphScratch;
        delete textScratch;
        glyphScratch = nullptr;
        textScratch = nullptr;
    }
}

PX_SysBitmap* GlyphScratch() {
    return CreatedOnce(glyphScratch);
}

PX_SysBitmap* TextScratch() {
    return CreatedOnce(textScratch);
}
