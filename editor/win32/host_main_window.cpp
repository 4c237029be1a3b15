#include "editor/win32/host_main_window.h"

#include <cstring>

namespace {

constexpr int ClassNameCapacity = 256;

struct ClassSearch {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchTopLevelWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<ClassSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[ClassNameCapacity] = {};
    if (owner == search->processId && GetClassNameA(window, className, ClassNameCapacity) > 0 &&
        std::strcmp(className, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

// A window the host has destroyed since is forgotten and searched for again.
HWND HostMainWindow::Find() {
    if (found_ != nullptr && IsWindow(found_)) {
        return found_;
    }
    found_ = nullptr;
    if (parent_ != nullptr && IsWindow(parent_)) {
        HWND top = parent_;
        while (HWND above = GetParent(top)) {
            top = above;
        }
        found_ = top;
        char className[ClassNameCapacity] = {};
        if (GetClassNameA(top, className, ClassNameCapacity) > 0) {
            className_.Set(className);
        }
        return found_;
    }
    return className_.Empty() ? nullptr : FindByClassName();
}

HWND HostMainWindow::FindByClassName() {
    if (processId_ == 0) {
        processId_ = GetCurrentProcessId();
    }
    ClassSearch search{processId_, className_.Text(), nullptr};
    EnumWindows(&MatchTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    found_ = search.found;
    return found_;
}
