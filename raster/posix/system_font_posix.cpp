// System fonts without GDI: fontconfig finds the face file for the request (the named face where
// installed, otherwise its best match), FreeType loads it. The FreeType library and fontconfig's
// configuration are made with the first font and released with the last, so nothing of either
// outlives the fonts. fontconfig's process-wide state is never torn down: a host may use it too.
// Instead fontconfig stays loaded once used (see KeepFontconfigLoaded).
#include "raster/posix/freetype_font.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>
#include <string>

namespace {

// FreeType wants faces made and released one at a time per library; fonts may be made by
// several instances' threads.
std::mutex libraryLock;
FT_Library library = nullptr;
FcConfig* fontConfig = nullptr;
int liveFonts = 0;

// fontconfig makes process-wide caches on first use (the default languages, the program's name)
// that only FcFini frees, and a plug-in must not call that while its host may use fontconfig.
// Were fontconfig unloaded with the plug-in, every load and unload would lose another set; kept
// loaded, a later load finds them again.
void KeepFontconfigLoaded() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&FcInitLoadConfigAndFonts), &info) != 0 &&
        info.dli_fname != nullptr) {
        dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

bool AcquireLibrary() {
    if (liveFonts == 0) {
        KeepFontconfigLoaded();
        if (FT_Init_FreeType(&library) != 0) {
            library = nullptr;
            return false;
        }
        fontConfig = FcInitLoadConfigAndFonts();
        if (fontConfig == nullptr) {
            FT_Done_FreeType(library);
            library = nullptr;
            return false;
        }
    }
    ++liveFonts;
    return true;
}

void ReleaseLibrary() {
    if (--liveFonts == 0) {
        FT_Done_FreeType(library);
        FcConfigDestroy(fontConfig);
        library = nullptr;
        fontConfig = nullptr;
    }
}

// The file and face index fontconfig matches to the description, or an empty file name.
std::string MatchFace(const FreeTypeFont& font, int& index) {
    std::string file;
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return file;
    }
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.face));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(font.weight));
    FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(fontConfig, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(fontConfig, pattern, &result);
    FcChar8* path = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
        file = reinterpret_cast<const char*>(path);
        index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

// Scales the face so that its Windows cell (usWinAscent + usWinDescent, or the face's ascender
// and descender when it has no such table) is font.height pixels, and rounds ascent and descent
// separately, as GDI does for tmAscent and tmDescent; their sum is the line height (tmHeight).
bool SizeFace(FreeTypeFont& font) {
    FT_Face face = font.ftFace;
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
        return false;
    }
    int64_t ascender = face->ascender;
    int64_t descender = -int64_t{face->descender};
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    if (ascender < 0 || descender < 0 || ascender + descender <= 0) {
        ascender = face->units_per_EM;
        descender = 0;
    }
    const int64_t cell = ascender + descender;
    const int64_t emSize = (int64_t{font.height} * face->units_per_EM * 64 + cell / 2) / cell;
    if (FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::max<int64_t>(emSize, 1)), 72, 72) !=
        0) {
        return false;
    }
    font.ascent = static_cast<int>((ascender * font.height * 2 + cell) / (cell * 2));
    const int descent = static_cast<int>((descender * font.height * 2 + cell) / (cell * 2));
    font.lineHeight = font.ascent + descent;
    return true;
}

bool OpenFace(FreeTypeFont& font) {
    int index = 0;
    const std::string file = MatchFace(font, index);
    if (file.empty() || FT_New_Face(library, file.c_str(), index, &font.ftFace) != 0) {
        font.ftFace = nullptr;
        return false;
    }
    if (!SizeFace(font)) {
        FT_Done_Face(font.ftFace);
        font.ftFace = nullptr;
        return false;
    }
    return true;
}

} // namespace

PX_FontHandle PX_CreateSystemFont(const PX_FontRequest& request) {
    if (request.height < 1 || request.height > PX_MAX_FONT_HEIGHT) {
        return nullptr;
    }
    FreeTypeFont* font = new (std::nothrow) FreeTypeFont{};
    if (font == nullptr) {
        return nullptr;
    }
    std::memcpy(font->face, request.face, strnlen(request.face, sizeof(font->face) - 1));
    font->height = request.height;
    font->weight = std::clamp(request.weight, 1, 1000);
    font->italic = request.italic;
    font->orientation = request.escapement;
    font->quality = request.quality;
    // Non-antialiased quality: one bit per pixel, as GDI draws it.
    font->loadFlags = request.quality == 1 ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    std::lock_guard<std::mutex> hold(libraryLock);
    if (!AcquireLibrary()) {
        delete font;
        return nullptr;
    }
    if (!OpenFace(*font)) {
        ReleaseLibrary();
        delete font;
        return nullptr;
    }
    return font;
}

void PX_DeleteSystemFont(PX_FontHandle handle) {
    FreeTypeFont* font = AsFreeTypeFont(handle);
    if (font == nullptr) {
        return;
    }
    {
        std::lock_guard<std::mutex> hold(libraryLock);
        FT_Done_Face(font->ftFace);
        ReleaseLibrary();
    }
    delete font;
}
