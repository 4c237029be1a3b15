// Message boxes owned by the host's main window, and the file and colour dialogs. Modal on the
// window's thread. UI thread.
#include "editor/win32/file_filter.h"
#include "editor/win32/graphics_win32.h"

#include <commdlg.h>
#include <cstring>

namespace {

constexpr int FileNameCapacity = 256; // 255 characters and the terminator

// Sets the colour dialog's title to the prompt when the dialog starts.
UINT_PTR CALLBACK ColourDialogHook(HWND dialog, UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* choice = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        const char* prompt = reinterpret_cast<const char*>(choice->lCustData);
        if (prompt != nullptr) {
            SetWindowTextA(dialog, prompt);
        }
    }
    return 0;
}

} // namespace

int GraphicsWin32::ShowAlert(const char* text, const char* caption, int type) {
    return MessageBoxA(hostWindow_.Find(), text, caption, static_cast<UINT>(type));
}

void GraphicsWin32::ChooseFile(TextBuffer& file, int action, TextBuffer& folder,
                               const char* extensions) {
    if (window_ == nullptr) {
        file.Set("");
        return;
    }
    char path[FileNameCapacity] = {};
    std::strncpy(path, file.Text(), FileNameCapacity - 1);
    if (folder.Empty()) {
        DesktopFolder(folder);
    }
    const FileFilter filter(extensions);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = filter.Filter();
    dialog.lpstrFile = path;
    dialog.nMaxFile = FileNameCapacity;
    dialog.lpstrInitialDir = folder.Text();
    dialog.lpstrDefExt = filter.DefaultExtension();
    BOOL chosen = FALSE;
    if (action == 1) {
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
        chosen = GetSaveFileNameA(&dialog);
    } else {
        dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
        chosen = GetOpenFileNameA(&dialog);
    }
    if (!chosen) {
        file.Set("");
        return;
    }
    // The drive and directory are everything before the file's name.
    folder.WriteAt(0, path, dialog.nFileOffset);
    file.Set(path);
}

// Only red, green and blue come back: the colour's alpha stays as it was.
bool GraphicsWin32::ChooseColour(Argb& colour, const char* prompt) {
    if (window_ == nullptr) {
        return false;
    }
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.rgbResult = RGB(colour.red, colour.green, colour.blue);
    dialog.lpCustColors = customColours_;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR | CC_ANYCOLOR | CC_ENABLEHOOK;
    dialog.lCustData = reinterpret_cast<LPARAM>(prompt);
    dialog.lpfnHook = &ColourDialogHook;
    if (!ChooseColorA(&dialog)) {
        return false;
    }
    colour.red = GetRValue(dialog.rgbResult);
    colour.green = GetGValue(dialog.rgbResult);
    colour.blue = GetBValue(dialog.rgbResult);
    return true;
}
