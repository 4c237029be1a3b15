// The effect built from the project's libraries, driven through its effect record as a host
// drives it, and pictures of its editor's canvas after the redraw step.
#pragma once

#include "host/plugin_host.h"
#include "raster/px_mem_bitmap.h"
#include "tools/snapshot/snapshot_options.h"

#include <memory>
#include <string>

class GraphicsContext;

class EditorSnapshot {
public:
    // Creates and opens the effect; false with a message when it cannot.
    bool Open(std::string& error);
    // The preset, then the state file, then each --set, as a host would apply them.
    bool Apply(const SnapshotOptions& options, std::string& error);
    // The whole editor.
    std::unique_ptr<PX_MemBitmap> Picture();
    // The knob of the named parameter (with its scale) at normalised 0, 1/2 and 1, side by side.
    std::unique_ptr<PX_MemBitmap> KnobStrip(const std::string& paramName, std::string& error);

private:
    GraphicsContext* Graphics();

    PluginHost host_;
};
