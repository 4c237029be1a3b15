// System fonts are GDI fonts: the request goes to CreateFontA as it stands.
#include "raster/px_system_font.h"

#include <algorithm>
#include <cstring>
#include <windows.h>

PX_FontHandle PX_CreateSystemFont(const PX_FontRequest& request) {
    if (request.height < 1 || request.height > PX_MAX_FONT_HEIGHT) {
        return nullptr;
    }
    static const DWORD qualities[] = {DEFAULT_QUALITY, NONANTIALIASED_QUALITY, ANTIALIASED_QUALITY,
                                      CLEARTYPE_QUALITY};
    const DWORD quality =
        request.quality >= 0 && request.quality <= 3 ? qualities[request.quality] : DEFAULT_QUALITY;
    char face[32] = {};
    std::memcpy(face, request.face, strnlen(request.face, sizeof(face) - 1));
    return CreateFontA(request.height, 0, request.escapement, request.escapement,
                       std::clamp(request.weight, 0, 1000), request.italic ? TRUE : FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, quality,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

void PX_DeleteSystemFont(PX_FontHandle font) {
    if (font != nullptr) {
        DeleteObject(static_cast<HGDIOBJ>(font));
    }
}
