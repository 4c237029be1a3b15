// The redraw step a window runs at every tick, shared by both window classes, the snapshot tool
// and the benchmarks: collect the dirty controls' areas and repaint their union.
#pragma once

class GraphicsContext;

// True when something was repainted (and presented); an idle tick touches no pixel. UI thread.
bool RedrawDirtyControls(GraphicsContext& graphics);
