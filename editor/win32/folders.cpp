// The well-known folders: the host's and this library's folders, the desktop and the application
// data folders. Failures give an empty text. UI thread.
#include "editor/win32/graphics_win32.h"

#include <cstring>
#include <shlobj.h>

namespace {

constexpr DWORD ModulePathCapacity = 256;

// The module's file name up to and including its last backslash. A path cut short by the buffer
// names no folder, so it counts as a failure.
void ModuleFolder(HMODULE module, TextBuffer& out) {
    char path[ModulePathCapacity] = {};
    const DWORD length = GetModuleFileNameA(module, path, ModulePathCapacity);
    out.Set("");
    if (length == 0 || length >= ModulePathCapacity) {
        return;
    }
    const char* backslash = std::strrchr(path, '\\');
    if (backslash == nullptr || backslash[1] == '\0') {
        return;
    }
    out.WriteAt(0, path, static_cast<std::int32_t>(backslash - path + 1));
}

} // namespace

void GraphicsWin32::HostFolder(TextBuffer& out) {
    ModuleFolder(nullptr, out);
}

void GraphicsWin32::PluginFolder(TextBuffer& out) {
    ModuleFolder(Instance(), out);
}

void GraphicsWin32::DesktopFolder(TextBuffer& out) {
    char path[MAX_PATH] = {};
    out.Set(SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE) ? path : "");
}

void GraphicsWin32::AppDataFolder(TextBuffer& out, bool shared) {
    char path[MAX_PATH] = {};
    const int folder = shared ? CSIDL_COMMON_APPDATA : CSIDL_LOCAL_APPDATA;
    const HRESULT found = SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
    out.Set(SUCCEEDED(found) ? path : "");
}
