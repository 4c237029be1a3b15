// Reading the editor window's connection: X events become WindowEvents.
#pragma once

#include "editor/x11/window_event.h"

class X11Connection;

// The events already waiting, read without blocking; an idle call handles this many and no more.
int PendingWindowEvents(X11Connection& connection);
// The next event (one must be waiting).
WindowEvent ReadWindowEvent(X11Connection& connection);
