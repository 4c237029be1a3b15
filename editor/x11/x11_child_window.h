// X11ChildWindow: the editor's window, created as a child of the window id effEditOpen brings and
// announced to hosts that embed with XEmbed as mapped.
#pragma once

typedef struct _XDisplay Display;

class X11Connection;

class X11ChildWindow {
public:
    X11ChildWindow() = default;
    ~X11ChildWindow() { Destroy(); }
    X11ChildWindow(const X11ChildWindow&) = delete;
    X11ChildWindow& operator=(const X11ChildWindow&) = delete;

    // Creates the window at (x, y) of parent, maps it and waits for the server. False, with
    // nothing left on the server, when the parent is no window or shows pixels in a format other
    // than 24- or 32-bit TrueColor with 8 bits a channel (the canvas would show as garbage).
    bool Create(X11Connection& connection, unsigned long parent, int x, int y, int width,
                int height);
    void Destroy();
    // A new size for an existing window (the editor's scale changed).
    void Resize(int width, int height);
    // The server destroyed it with the host's window: there is nothing left to destroy.
    void Forget() { window_ = 0; }

    unsigned long Id() const { return window_; }
    int Depth() const { return depth_; }
    // Where the window sits in its parent; false when it cannot be read.
    bool Position(int& x, int& y) const;

    // The keyboard while a text entry is open: key and focus events are selected and the focus
    // taken; ReturnKeyboard gives it back to the window that had it (the host's) and deselects
    // them, so with no entry open every key goes to the host.
    void TakeKeyboard();
    void ReturnKeyboard();

private:
    Display* display_ = nullptr;
    unsigned long window_ = 0;
    int depth_ = 0;
    unsigned long focusBefore_ = 0; // the window that had the keyboard before TakeKeyboard
    bool hasKeyboard_ = false;
};
