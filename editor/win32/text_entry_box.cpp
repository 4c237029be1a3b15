#include "editor/win32/text_entry_box.h"

#include "editor/control.h"
#include "editor/graphics_context.h"
#include "editor/win32/entry_value.h"
#include "editor/win32/noted_calls.h"
#include "framework/plugin_param.h"

namespace {

constexpr int BoxIdentifier = 99;
constexpr LONG_PTR BoxMarker = 0xdeadf00b; // the box's user data, telling it from other windows
constexpr int TextCapacity = 32;           // characters read back from the box, terminator included
constexpr int BoldWeight = 700;

DWORD AlignmentStyle(int alignment) {
    switch (alignment) {
    case AlignCentre:
        return ES_CENTER;
    case AlignRight:
        return ES_RIGHT;
    default:
        return ES_LEFT;
    }
}

// Other arguments 0: the system's default weight, character set, precision and quality.
HFONT CreateBoxFont(const TextStyle& style) {
    return Noted::CreateFontA(style.size, 0, 0, 0, style.style == FontBold ? BoldWeight : 0,
                              style.style == FontItalic ? TRUE : FALSE, 0, 0, 0, 0, 0, 0, 0,
                              style.faceName);
}

} // namespace

bool TextEntryBox::Open(HWND editor, HINSTANCE instance, WNDPROC procedure, Control* control,
                        const TextStyle& style, const Bounds& rect, const char* text,
                        PluginParam* param) {
    if (control == nullptr || box_ != nullptr) {
        return false;
    }
    const DWORD boxStyle =
        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | AlignmentStyle(style.alignment);
    box_ = Noted::CreateWindowExA(0, "EDIT", text != nullptr ? text : "", boxStyle, rect.left,
                                  rect.top, rect.Width() + 1, rect.Height() + 1, editor,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(BoxIdentifier)),
                                  instance, nullptr);
    if (box_ == nullptr) {
        return false;
    }
    // The box keeps using its font until it is destroyed; Close frees both.
    font_ = CreateBoxFont(style);
    SendMessageA(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageA(box_, EM_LIMITTEXT, static_cast<WPARAM>(control->TextEntryLength()), 0);
    SendMessageA(box_, EM_SETSEL, 0, -1);
    SetFocus(box_);
    previousProcedure_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    SetWindowLongPtrA(box_, GWLP_USERDATA, BoxMarker);
    control_ = control;
    param_ = param;
    area_ = rect;
    return true;
}

// The box's own procedure is back before it is destroyed, so the focus it loses on the way out
// commits nothing.
void TextEntryBox::Close() {
    if (box_ != nullptr) {
        if (previousProcedure_ != nullptr) {
            SetWindowLongPtrA(box_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure_));
        }
        Noted::DestroyWindow(box_);
    }
    if (font_ != nullptr) {
        Noted::DeleteObject(font_);
    }
    box_ = nullptr;
    font_ = nullptr;
    control_ = nullptr;
    param_ = nullptr;
    previousProcedure_ = nullptr;
    state_ = EditIdle;
}

void TextEntryBox::Step(GraphicsContext& graphics) {
    switch (state_) {
    case EditFocused:
    case EditSkipTick:
        state_ = EditIdle;
        break;
    case EditCommit:
        if (Apply(graphics)) {
            Close();
        } else {
            state_ = EditIdle;
        }
        break;
    case EditCancel:
        Close();
        break;
    default:
        break;
    }
}

bool TextEntryBox::Apply(GraphicsContext& graphics) {
    char text[TextCapacity] = {};
    SendMessageA(box_, WM_GETTEXT, TextCapacity, reinterpret_cast<LPARAM>(text));
    text[TextCapacity - 1] = '\0';
    if (param_ == nullptr) {
        control_->TakeEditedText(text);
        return true;
    }
    char why[TextCapacity] = {};
    if (graphics.ApplyTypedText(control_, param_, text, why, sizeof why)) {
        return true;
    }
    SendMessageA(box_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(why));
    SendMessageA(box_, EM_SETSEL, 0, -1);
    return false;
}

LRESULT TextEntryBox::HandleBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS:
        state_ = EditFocused;
        break;
    case WM_KILLFOCUS:
        state_ = EditCancel; // a click elsewhere drops the entry
        break;
    case WM_GETDLGCODE: {
        LRESULT code = CallWindowProcA(previousProcedure_, box, message, wParam, lParam);
        const MSG* queried = reinterpret_cast<const MSG*>(lParam);
        if (param_ == nullptr && queried != nullptr && queried->message == WM_KEYDOWN &&
            queried->wParam == VK_RETURN) {
            code |= DLGC_WANTALLKEYS;
        }
        return code;
    }
    case WM_KEYDOWN:
        // The box never sees Return or Escape.
        if (wParam == VK_RETURN) {
            state_ = EditCommit;
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            state_ = EditCancel;
            return 0;
        }
        break;
    case WM_CHAR:
        if (param_ != nullptr && !EntryTakesCharacter(*param_, static_cast<unsigned>(wParam))) {
            return 0;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == 1 && box_ != nullptr) {
            state_ = EditCommit;
            return 0;
        }
        break;
    default:
        break;
    }
    return CallWindowProcA(previousProcedure_, box, message, wParam, lParam);
}
