// The effect built from the project's libraries inside the test program, driven through its
// effect record by the bundled host, with its editor reached through the effect object for pixel
// checks and synthetic mouse events (no window exists).
#pragma once

#include "editor/graphics_context.h"
#include "editor/redraw_step.h"
#include "host/plugin_host.h"
#include "vst2/plugin_export.h"
#include "vst2/vst2_plugin.h"

#include <gtest/gtest.h>
#include <vector>

enum EditorParam { Sensitivity = 0, Time = 1, Depth = 2, Vol = 3, OnOff = 4 };

// Where the layout puts things, as the editor's layout lists them.
struct Point {
    int x;
    int y;
};
constexpr Point SwitchPoint{30, 30};
constexpr Point TimeCentre{133, 167};
constexpr Point BackgroundCorner{5, 5};
constexpr Point InsideDepthScaleOnly{405, 100};

class EditorSession {
public:
    EditorSession() { created_ = host.Create(&VSTPluginMain); }

    bool Created() const { return created_; }
    PluginCore& Plugin() { return static_cast<Vst2Plugin*>(host.Effect()->object)->Core(); }
    GraphicsContext& Editor() { return *EditorOf(Plugin()); }
    // The window's tick: collect the dirty controls and repaint them.
    bool Tick() { return RedrawDirtyControls(Editor()); }
    PX_Pixel32* CanvasRow(int y) {
        PX_Bitmap& canvas = *Editor().Canvas();
        return canvas.PixelData() + static_cast<size_t>(y) * canvas.RowStride();
    }

    void Press(Point p, const MouseKeys& keys = {}) { Editor().HandlePress(p.x, p.y, Left(keys)); }
    void Release(Point p, const MouseKeys& keys = {}) {
        Editor().HandleRelease(p.x, p.y, Left(keys));
    }
    void Click(Point p, const MouseKeys& keys = {}) {
        Press(p, keys);
        Release(p, keys);
    }

    // The editor-gesture calls the host received (begin-edit, automate, end-edit), in order.
    std::vector<HostCall> GestureCalls() const {
        std::vector<HostCall> gestures;
        for (const HostCall& call : host.Calls()) {
            if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
                call.opcode == audioMasterEndEdit) {
                gestures.push_back(call);
            }
        }
        return gestures;
    }

    PluginHost host;

private:
    static MouseKeys Left(MouseKeys keys) {
        keys.left = !keys.right;
        return keys;
    }

    bool created_ = false;
};
