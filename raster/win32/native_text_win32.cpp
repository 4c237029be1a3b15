// GDI draws whole strings: straight into a bitmap's device context, or, for bitmaps without one,
// into the text scratch surface between a copy of the target area out of the bitmap and a copy
// back weighted by the font's alpha. Text holding UTF-8 sequences is converted to UTF-16 first;
// anything else is drawn as bytes of the system's ANSI code page.
#include "raster/native_text.h"
#include "raster/px_blit_rect.h"
#include "raster/px_text_flags.h"
#include "raster/text_scratch.h"
#include "raster/win32/wine_state.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <windows.h>

namespace {

constexpr int AlignmentFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;
constexpr int ScratchMinimumSide = 4;

int32_t Saturated(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Whether the text holds a two-byte sequence or the start of a longer one.
bool HoldsUtf8(const char* text, int length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (int i = 0; i + 1 < length; ++i) {
        if (bytes[i] >= 0xC2 && bytes[i] <= 0xDF && IsContinuation(bytes[i + 1])) {
            return true;
        }
        if (bytes[i] >= 0xE0 && bytes[i] <= 0xF4 && i + 2 < length &&
            IsContinuation(bytes[i + 1]) && IsContinuation(bytes[i + 2])) {
            return true;
        }
    }
    return false;
}

// The text to draw: length bytes (never past the terminating 0), and their UTF-16 form when they
// hold UTF-8 and convert cleanly.
class TextToDraw {
public:
    TextToDraw(const char* text, int count)
        : bytes_(text),
          length_(static_cast<int>(count < 0 ? std::strlen(text) : strnlen(text, size_t(count)))) {
        if (HoldsUtf8(bytes_, length_)) {
            Convert();
        }
    }

    int Draw(HDC dc, RECT& rect, int flags) const {
        if (wide_ != nullptr) {
            return DrawTextW(dc, wide_, wideLength_, &rect, flags | DT_NOPREFIX);
        }
        return DrawTextA(dc, bytes_, length_, &rect, flags | DT_NOPREFIX);
    }

private:
    static constexpr int FixedCapacity = 1024;
    static constexpr int FixedLimit = 999;

    void Convert() {
        const int n =
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes_, length_, nullptr, 0);
        if (n <= 0) {
            return;
        }
        WCHAR* buffer = fixed_;
        if (n > FixedLimit) {
            heap_.reset(new (std::nothrow) WCHAR[size_t(n) + 32]);
            buffer = heap_.get();
        }
        if (buffer != nullptr &&
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes_, length_, buffer, n) == n) {
            wide_ = buffer;
            wideLength_ = n;
        }
    }

    const char* bytes_;
    int length_;
    WCHAR fixed_[FixedCapacity];
    std::unique_ptr<WCHAR[]> heap_;
    const WCHAR* wide_ = nullptr;
    int wideLength_ = 0;
};

COLORREF ColourOf(PX_Pixel32 pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// The font selected into a device context for one drawing, with its colours set.
class DrawingFont {
public:
    DrawingFont(HDC dc, const NativeTextStyle& style)
        : dc_(dc), previous_(SelectObject(dc, static_cast<HGDIOBJ>(style.font))) {
        SetTextColor(dc, ColourOf(style.foreground));
        const bool opaque = style.backgroundMode == PX_BACKGROUND_OPAQUE;
        SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
        if (opaque) {
            SetBkColor(dc, ColourOf(style.background));
        }
    }
    ~DrawingFont() { SelectObject(dc_, previous_); }
    DrawingFont(const DrawingFont&) = delete;
    DrawingFont& operator=(const DrawingFont&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

int DrawIntoDeviceContext(HDC dc, const NativeTextStyle& style, const TextToDraw& text,
                          PX_Rect& rect, int flags) {
    RECT box{rect.left, rect.top, rect.right, rect.bottom};
    int result;
    {
        DrawingFont selected(dc, style);
        result = text.Draw(dc, box, flags);
    }
    GdiFlush();
    if ((flags & DT_CALCRECT) != 0) {
        rect = PX_Rect{box.left, box.top, box.right, box.bottom};
    }
    return result;
}

// Where the text goes in the bitmap, cut to it (and to the rectangle without DT_NOCLIP), and how
// much of the text's own top-left was cut away.
struct Placement {
    PX_Rect target;
    int cutX;
    int cutY;
};

Placement Place(PX_Bitmap& bitmap, const PX_Rect& rect, int width, int height, int flags) {
    int64_t x = rect.left, y = rect.top;
    if ((flags & DT_CENTER) != 0) {
        x = (int64_t{rect.left} + rect.right - width) / 2;
    } else if ((flags & DT_RIGHT) != 0) {
        x = int64_t{rect.right} - width;
    }
    if ((flags & DT_VCENTER) != 0) {
        y = (int64_t{rect.top} + rect.bottom - height) / 2;
    } else if ((flags & DT_BOTTOM) != 0) {
        y = int64_t{rect.bottom} - height;
    }
    int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    int64_t right = std::min<int64_t>(x + width, bitmap.Width());
    int64_t bottom = std::min<int64_t>(y + height, bitmap.Height());
    if ((flags & DT_NOCLIP) == 0) {
        left = std::max<int64_t>(left, rect.left);
        top = std::max<int64_t>(top, rect.top);
        right = std::min<int64_t>(right, rect.right);
        bottom = std::min<int64_t>(bottom, rect.bottom);
    }
    right = std::max(right, left);
    bottom = std::max(bottom, top);
    return Placement{PX_Rect{Saturated(left), Saturated(top), Saturated(right), Saturated(bottom)},
                     Saturated(left - x), Saturated(top - y)};
}

// GDI draws into the scratch surface, which holds a copy of the target area, and the area is
// copied back with the font's alpha. bitmap may be null when measuring.
int DrawThroughScratch(const NativeTextStyle& style, PX_Bitmap* bitmap, const TextToDraw& text,
                       PX_Rect& rect, int flags) {
    PX_SysBitmap* scratch = TextScratch();
    if (scratch == nullptr) {
        return 0;
    }
    if (scratch->Width() < ScratchMinimumSide || scratch->Height() < ScratchMinimumSide) {
        scratch->SetSize(std::max(scratch->Width(), ScratchMinimumSide),
                         std::max(scratch->Height(), ScratchMinimumSide));
    }
    HDC dc = static_cast<HDC>(scratch->DeviceContext());
    if (dc == nullptr || scratch->PixelData() == nullptr) {
        return 0;
    }
    PX_Rect extent{0, 0, 0, 0};
    int result =
        DrawIntoDeviceContext(dc, style, text, extent, (flags & ~AlignmentFlags) | DT_CALCRECT);
    if ((flags & DT_CALCRECT) != 0 || bitmap == nullptr) {
        rect.right = Saturated(int64_t{rect.left} + extent.right);
        rect.bottom = Saturated(int64_t{rect.top} + extent.bottom);
        return result;
    }
    const Placement place = Place(*bitmap, rect, extent.right, extent.bottom, flags);
    const int width = place.target.right - place.target.left;
    const int height = place.target.bottom - place.target.top;
    if (width <= 0 || height <= 0) {
        return result;
    }
    if (scratch->Width() < width || scratch->Height() < height) {
        scratch->SetSize(std::max(scratch->Width(), width), std::max(scratch->Height(), height));
        if (scratch->Width() < width || scratch->Height() < height) {
            return 0;
        }
    }
    PX_BlitRect(scratch, bitmap, 0, 0, &place.target, 1.0f, PX_COMBINE_COPY);
    PX_Rect at{-place.cutX, -place.cutY, extent.right - place.cutX, extent.bottom - place.cutY};
    result = DrawIntoDeviceContext(dc, style, text, at, flags & ~(AlignmentFlags | DT_NOCLIP));
    const PX_Rect area{0, 0, width, height};
    PX_BlitRect(bitmap, scratch, place.target.left, place.target.top, &area, style.alpha,
                PX_COMBINE_COPY);
    return result;
}

} // namespace

bool NativeTextExists() {
    return true;
}

bool NativeTextPreferred() {
    return !RunningUnderWine();
}

int DrawNativeText(const NativeTextStyle& style, PX_Bitmap* bitmap, const char* text, int count,
                   PX_Rect& rect, int flags) {
    const TextToDraw drawn(text, count);
    flags &= ~(PX_RENDER_FOREGROUND_ALPHA | PX_RENDER_NO_NATIVE);
    HDC dc = bitmap != nullptr ? static_cast<HDC>(bitmap->DeviceContext()) : nullptr;
    if (dc != nullptr) {
        return DrawIntoDeviceContext(dc, style, drawn, rect, flags);
    }
    if (bitmap == nullptr && (flags & DT_CALCRECT) == 0) {
        return 0;
    }
    return DrawThroughScratch(style, bitmap, drawn, rect, flags);
}
