// The Win32 calls that make or free the editor window's handles, each noted in the handle ledger
// when it succeeds. The editor makes and frees those handles only through these, so a release
// left out shows in a test as a handle still open after the editor closed. UI thread.
#pragma once

#include <windows.h>

namespace Noted {

ATOM RegisterClassA(const WNDCLASSA* windowClass);
BOOL UnregisterClassA(const char* className, HINSTANCE instance);
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     void* parameter);
BOOL DestroyWindow(HWND window);
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT milliseconds);
BOOL KillTimer(HWND window, UINT_PTR id);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, const char* faceName);
BOOL DeleteObject(HFONT font);
HMENU CreatePopupMenu();
// Frees the menu and, as DestroyMenu does, every submenu in it.
BOOL DestroyMenu(HMENU menu);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

// A window the system destroyed along with its parent, which the editor learns of afterwards.
void WindowGone(HWND window);

} // namespace Noted
