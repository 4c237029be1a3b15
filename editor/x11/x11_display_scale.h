// The scale an X display asks for: its Xft.dpi resource (which desktops set through xrdb) over 96.
#pragma once

typedef struct _XDisplay Display;

// Xft.dpi / 96 from the resources the connection read when it opened; 1.0 when the display has
// no such resource or it is not a positive number.
double DisplayScale(Display* display);
