// GraphicsContext: the platform-neutral editor. One belongs to one plug-in instance for its whole
// life: it owns the ordered control list and the canvas every control is painted into, turns
// parameter values from the plug-in into control values, routes mouse and key events to the
// controls, repaints the dirty ones and offers them image blits, text and the parameter prompt.
//
// Everything that needs the operating system is a virtual operation a window class supplies
// (editor/win32/, editor/x11/). The window calls CollectDirty and Repaint at its tick and the
// Handle operations for input; nothing else of this class needs a window.
#pragma once

#include "editor/argb.h"
#include "editor/bounds.h"
#include "editor/host_notices.h"
#include "editor/image_cache.h"
#include "editor/image_strip.h"
#include "editor/key_code.h"
#include "editor/menu_list.h"
#include "editor/mouse_keys.h"
#include "editor/text_style.h"
#include "framework/plugin_editor.h"
#include "framework/pointer_list.h"
#include "framework/text_buffer.h"
#include "raster/px_mem_bitmap.h"
#include "raster/px_sys_bitmap.h"

#include <chrono>

class BitmapControl;
class Control;
class PluginCore;
class PluginParam;
struct Blend;

class GraphicsContext : public PluginEditor {
public:
    static constexpr int DefaultWidth = 555;
    static constexpr int DefaultHeight = 306;
    static constexpr int DefaultFrameRate = 25;
    using Clock = std::chrono::steady_clock;
    // A wheel gesture ends after this long without a notch, as hosts' touch modes expect.
    static constexpr Clock::duration WheelPause = std::chrono::milliseconds(300);

    explicit GraphicsContext(PluginCore* plugin);
    ~GraphicsContext() override;
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    // --- Virtual operations, in slot order. The pure ones are the window class's.
    // Copies that rectangle of the canvas to the screen.
    virtual bool PresentRect(const Bounds& rect) = 0;
    virtual bool MeasureTextBox(TextStyle& style, const char* text, Bounds& rect);
    virtual void CancelTextEntry() = 0;
    // Resizes the editor and its canvas and tells the plug-in; sizes outside 1..32767 are refused.
    virtual void SetEditorSize(int width, int height);
    bool HasWindow() override;
    virtual const char* BackendName();
    virtual int ShowAlert(const char* text, const char* caption, int type) = 0;
    // The list that holds the choice, or null when nothing was chosen.
    virtual MenuList* RunPopupMenu(MenuList& list, const Bounds& rect) = 0;
    virtual void BeginTextEntry(Control* control, const TextStyle& style, const Bounds& rect,
                                const char* text, PluginParam* param) = 0;
    virtual void HostFolder(TextBuffer& out) = 0;
    virtual void PluginFolder(TextBuffer& out) = 0;
    virtual void DesktopFolder(TextBuffer& out) = 0;
    virtual void AppDataFolder(TextBuffer& out, bool shared) = 0;
    virtual void UserAppDataFolder(TextBuffer& out) = 0;
    virtual void ChooseFile(TextBuffer& file, int action, TextBuffer& folder,
                            const char* extensions) = 0;
    virtual bool ChooseColour(Argb& colour, const char* prompt) = 0;
    virtual bool OpenWebAddress(const char* address, const char* caption, const char* confirm,
                                const char* error) = 0;
    // Slots 17, 19, 20 and 27 have no callers; they keep the window classes' slot order.
    virtual int ReservedQuery() { return 0; }
    NativeWindow OpenEditorWindow(NativeWindow parent) override = 0;
    virtual void ReservedHookA() {}
    virtual void ReservedHookB() {}
    void CloseEditorWindow() override = 0;
    virtual NativeWindow WindowHandle() = 0;
    virtual bool ReadClipboardText(TextBuffer& out) = 0;
    virtual void ConcealCursor() {}
    virtual void RevealCursor() {}
    virtual void ReservedHookC() = 0;
    // The image resource id of this module; null when it is missing, cannot be decoded or the
    // name's extension is not "png".
    virtual PX_Bitmap* LoadImageResource(int id, const char* name) = 0;
    // Its size from its header, no pixel decoded; empty exactly where LoadImageResource fails
    // before the image data.
    virtual ImageSize ReadImageResourceSize(int id, const char* name) = 0;

    bool CanOpenWindows() const override = 0;
    // Only the X11 window class works here (effEditIdle or a host timer).
    void IdleEditorWindow() override {}

    // The scale the system asks for a window inside parent (null: the screen's), as a factor
    // (1.0 = 96 DPI). 1.0 where the window system has no such setting.
    virtual double SystemScale(NativeWindow /*parent*/) { return 1.0; }
    // Lays the editor out at percent (EditorScale): every control's areas and images, the canvas
    // and the editor's size (SetEditorSize, which resizes an open window and tells the plug-in),
    // and marks everything for repainting. Window classes whose window is reached from another
    // thread wrap it in their window's guard.
    virtual void ChangeScale(int percent);

    // --- Set-up, by the effect's layout and the plug-in base.
    // Image 106 as control 0, under every other control.
    BitmapControl* AttachBackdrop();
    // Takes ownership; answers the control's index, or -1 when the list could not grow.
    int AddControl(Control* control);
    // The image's pixels at this editor's scale through the process-wide cache: decoded on the
    // first ask of the process. Null when missing. UI thread (a decode takes milliseconds).
    PX_Bitmap* ObtainImage(int id, const char* name);
    // The cached image as a strip, sized from its header: nothing is decoded until it is first
    // painted. An empty strip (sizes 0) when it is missing or its header unreadable.
    ImageStrip LoadStrip(int id, const char* name, int frameCount, bool sideBySide);
    // The canvas at the editor's size; the plug-in base calls it when the editor is attached.
    void PrepareCanvas() override;

    // --- Scale: the host-neutral calls an adapter makes (UI thread, outside the instance lock).
    // A host's own hint (VST2 effVendorSpecific 'PreS' 'AeCs', CLAP set_scale), rounded to 1, 1.5
    // or 2; from then on it wins over the system's.
    void SetHostScale(double factor) override;
    // The system's scale for a window inside parent, unless a host has given its own: before the
    // size is answered (Width, Height) and when the window opens.
    void AdoptSystemScale(NativeWindow parent) override;
    void FollowSystemScale(double factor) override;
    int ScalePercent() const { return scalePercent_; }
    bool HostScaled() const { return hostScaled_; }
    // The strip of the same image at percent: the 200 percent artwork, or the 150 percent images
    // resampled from it, each made once per process. An empty strip when the image has none.
    ImageStrip StripAtScale(const ImageStrip& base, int percent);

    // --- Parameter values from the plug-in: any host thread, no lock held, nothing waited for.
    // Plain values (normalised false) are normalised by the parameter first.
    void ParamValueChanged(int paramIndex, double value, bool normalised) override;

    // --- Painting (UI thread).
    // Grows rect (pass it empty) by the area of every control that needs painting.
    bool CollectDirty(Bounds& rect);
    // Repaints rect of the canvas, then presents it.
    bool Repaint(const Bounds& rect);
    // Repaints rect of the canvas only; the dirty controls in it are clean afterwards.
    void RepaintCanvas(const Bounds& rect);
    // Frame (1-based) of a strip into destination, clipped to the rectangle being repainted.
    bool PaintFrame(const ImageStrip& strip, const Bounds& destination, int frame,
                    const Blend* blend);
    bool PaintImageAt(const ImageStrip& strip, const Bounds& destination, int sourceX, int sourceY,
                      const Blend* blend);
    // Draws text into rect, or with measure sets rect to the text's extent. False only when no
    // font can be made for the style.
    bool DrawTextBox(TextStyle& style, const char* text, Bounds& rect, bool measure);
    // The style's font from the process-wide font cache, made on first use; null when the
    // system has no such font.
    PX_CachedFont* FontFor(TextStyle& style);
    // A popup menu or a text entry for the parameter, placed at rect.
    void PromptForParam(Control* control, PluginParam* param, const Bounds* rect);
    // A prompt's result for the control, sent to the plug-in as one gesture of its own:
    // begin-edit, the value, end-edit. An unchanged value sends nothing.
    void ApplyEditedValue(Control* control, double normalised);
    // Text typed into a control's entry, read in the parameter's unit and applied as one gesture.
    // Refused (false, the value kept) when it does not read or lies outside the range; why then
    // says so ("not a time", "range 0.010 to 10.0 s").
    bool ApplyTypedText(Control* control, PluginParam* param, const char* text, char* why,
                        int whySize);

    // --- Mouse and keys from the window (UI thread); coordinates in editor pixels.
    void HandlePress(int x, int y, const MouseKeys& keys);
    void HandleRelease(int x, int y, const MouseKeys& keys);
    void HandleDrag(int x, int y, const MouseKeys& keys);
    bool HandleHover(int x, int y, const MouseKeys& keys);
    void HandleLeave();
    // True when the window must capture the mouse.
    bool HandleDoubleClick(int x, int y, const MouseKeys& keys);
    void HandleWheel(int x, int y, const MouseKeys& keys, int steps);
    // True when a control took the key; the window passes others on to the host.
    bool HandleKey(int x, int y, KeyCode key);
    // A popup menu swallows the button release: the gesture ends here.
    void ClearCapture();
    // The window closes or lost the mouse: an open gesture ends and nothing stays captured.
    void AbandonGesture();
    // The window's tick: ends a wheel gesture after WheelPause without a notch. True when it did.
    bool EndPausedWheelGesture(Clock::time_point now);

    // --- What the controls' gestures tell the host (through the plug-in base), in order, never
    // under a window lock (HostNotices). A value sent while no gesture is open on its parameter
    // is wrapped in a gesture of its own, so every automate the host sees lies inside one.
    void SendParamValue(int paramIndex, double normalised);
    // Window classes that handle input under a lock of their own hold the notices meanwhile.
    void HoldHostNotices() { notices_.Hold(); }
    void ReleaseHostNotices() { notices_.Release(); }
    // The plug-in is about to go: returns once no thread is still telling the host anything.
    void WaitForHostNotices() override { notices_.WaitUntilQuiet(); }

    // --- State.
    PluginCore* Plugin() const { return plugin_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int FrameRate() const { return frameRate_; }
    PX_SysBitmap* Canvas() const { return canvas_; }
    int ControlCount() const { return controls_.Count(); }
    Control* ControlAt(int index) const { return controls_.Get(index); } // null outside
    int CapturedIndex() const { return capturedIndex_; }
    int HoveredIndex() const { return hoveredIndex_; }
    int LastX() const { return lastX_; }
    int LastY() const { return lastY_; }
    bool HandlesHover() const { return handlesHover_; }
    void SetHandlesHover(bool handles) { handlesHover_ = handles; }
    bool StrictDrawing() const { return strictDrawing_; }
    void SetStrictDrawing(bool strict) { strictDrawing_ = strict; }
    bool Tooltips() const { return tooltips_; }
    void SetTooltips(bool tooltips) { tooltips_ = tooltips; }
    // Takes ownership: receives the keys no other control takes.
    void SetKeyCatcher(Control* catcher);

private:
    void RepaintEveryControl();
    void RepaintEachDirtyControl();
    // The last control whose target area holds the point, skipping hidden and greyed ones.
    int TopMostHit(int x, int y) const;
    Control* CapturedOrTopMost(int x, int y) const;
    // Sends the end of an open parameter gesture to the plug-in, so every begin-edit is paired.
    void EndOpenGesture();
    void BeginGesture(int paramIndex);
    void PromptWithTextEntry(Control* control, PluginParam* param, const Bounds& rect);
    void PromptWithMenu(Control* control, PluginParam* param, const Bounds& rect);
    // The pixels a strip paints with: its own bitmap, or its cached image at the strip's scale,
    // decoded (at 150 percent: resampled) on the first ask of the process.
    PX_Bitmap* PixelsOf(const ImageStrip& strip);
    PX_Bitmap* DecodeAtScale(const ImageStrip& strip, const char* name);

    PluginCore* plugin_;
    PointerList<Control> controls_;
    Bounds clip_;
    PX_SysBitmap* canvas_ = nullptr;
    PX_MemBitmap* scratch_ = nullptr; // sized with the canvas; nothing draws into it
    int width_ = DefaultWidth;
    int height_ = DefaultHeight;
    int frameRate_ = DefaultFrameRate;
    int capturedIndex_ = -1;
    int hoveredIndex_ = -1;
    int lastX_ = -1;
    int lastY_ = -1;
    int gestureParam_ = -1;     // the parameter whose begin-edit the plug-in has been sent
    bool wheelGesture_ = false; // that gesture was begun by the wheel and ends after a pause
    Clock::time_point lastNotch_{};
    HostNotices notices_;
    bool handlesHover_ = false;
    bool strictDrawing_ = true;
    bool tooltips_ = false;
    Control* keyCatcher_ = nullptr;
    int scalePercent_ = 100;
    bool hostScaled_ = false;
    int baseWidth_ = DefaultWidth; // the editor's size at 100 percent
    int baseHeight_ = DefaultHeight;
};

// The editor a core carries, when it is a graphics context (every editor of this project is).
GraphicsContext* EditorOf(const PluginCore& plugin);
