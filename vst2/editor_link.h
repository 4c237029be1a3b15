// What the adapter asks of an attached editor. Kept behind these functions so the adapter builds
// with or without the editor framework; without it no editor is ever attached.
#pragma once

class GraphicsContext;

// Shows a parameter's value on the controls bound to it.
void EditorPushParam(GraphicsContext& editor, int index, double value, bool normalised);
// Opens the editor window inside the host's window; false when no window was made.
bool EditorOpenWindow(GraphicsContext& editor, void* parentWindow);
void EditorCloseWindow(GraphicsContext& editor);
// The editor's current size in pixels.
void EditorSize(const GraphicsContext& editor, int& width, int& height);
