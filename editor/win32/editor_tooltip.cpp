#include "editor/win32/editor_tooltip.h"

#include "editor/win32/noted_calls.h"

#include <commctrl.h>

namespace {

TTTOOLINFOA EditorTool(HWND editor, const char* text) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = editor;
    tool.uId = reinterpret_cast<UINT_PTR>(editor);
    tool.lpszText = const_cast<char*>(text);
    return tool;
}

} // namespace

bool EditorTooltip::Create(HWND editor, HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TAB_CLASSES;
    if (!InitCommonControlsEx(&controls)) {
        return false;
    }
    window_ = Noted::CreateWindowExA(
        0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, editor, nullptr, instance, nullptr);
    if (window_ == nullptr) {
        return false;
    }
    editor_ = editor;
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TTTOOLINFOA tool = EditorTool(editor, const_cast<char*>(""));
    if (!SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) {
        Destroy();
        return false;
    }
    return true;
}

void EditorTooltip::Destroy() {
    if (window_ != nullptr) {
        Noted::DestroyWindow(window_);
    }
    window_ = nullptr;
    editor_ = nullptr;
    shown_ = false;
    controlIndex_ = -1;
}

void EditorTooltip::Show(const char* text) {
    if (window_ == nullptr || text == nullptr) {
        return;
    }
    UpdateText(text);
    shown_ = true;
}

void EditorTooltip::Hide() {
    if (window_ == nullptr || !shown_) {
        return;
    }
    UpdateText(nullptr);
    shown_ = false;
}

void EditorTooltip::UpdateText(const char* text) {
    TTTOOLINFOA tool = EditorTool(editor_, text);
    SendMessageA(window_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}
