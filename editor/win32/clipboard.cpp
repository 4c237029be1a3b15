// Reading text from the clipboard, converted from UTF-16 to UTF-8. UI thread.
#include "editor/win32/graphics_win32.h"
#include "framework/heap_buffer.h"

namespace {

// The UTF-16 text in a clipboard block of size bytes: its characters up to the first terminator,
// never past the block's end, whatever another program put there.
int TextLength(const wchar_t* text, SIZE_T size) {
    const SIZE_T capacity = size / sizeof(wchar_t);
    SIZE_T length = 0;
    while (length < capacity && text[length] != L'\0') {
        ++length;
    }
    return length > 0x3fffffff ? 0 : static_cast<int>(length);
}

bool ConvertToUtf8(const wchar_t* text, int length, TextBuffer& out) {
    if (length == 0) {
        out.Set("");
        return true;
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    HeapBuffer converted(128);
    if (bytes <= 0) {
        return false;
    }
    converted.Resize(bytes, false);
    if (converted.Used() != bytes) {
        return false; // no memory for the text
    }
    char* utf8 = converted.As<char>();
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, bytes, nullptr, nullptr);
    out.WriteAt(0, utf8, bytes);
    return true;
}

} // namespace

bool GraphicsWin32::ReadClipboardText(TextBuffer& out) {
    out.Set("");
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(window_)) {
        return false;
    }
    bool read = false;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text != nullptr) {
        read = ConvertToUtf8(text, TextLength(text, GlobalSize(data)), out);
        GlobalUnlock(data);
    }
    CloseClipboard();
    if (!read) {
        out.Set("");
    }
    return read;
}
