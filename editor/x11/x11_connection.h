// X11Connection: the editor window's own connection to the X server, one per open window and
// closed with it, used only by the thread that holds the window's mutex.
//
// Xlib hands errors to one process-wide handler whose default ends the process. A plug-in may not
// replace it (hosts install their own around their calls), so this connection catches the errors
// of its own requests itself: a host's parent id that names no window, or a parent destroyed
// before effEditClose, fails a request instead of ending the host.
#pragma once

typedef struct _XDisplay Display;

class X11Connection {
public:
    X11Connection() = default;
    ~X11Connection() { Close(); }
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    // XOpenDisplay(NULL): hosts' own Display pointers are not ours to use. False without a server.
    // UI thread.
    bool Open();
    void Close();
    Display* Get() const { return display_; }
    // The connection's socket, or -1 while closed.
    int Descriptor() const;

    // A round trip; true when no request made since the last check failed.
    bool SyncedWithoutErrors();
    // Sends what is queued without waiting for the server.
    void Flush();

private:
    Display* display_ = nullptr;
    int errors_ = 0; // counted by the connection's error trap
};
