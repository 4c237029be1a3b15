// What only the X11 window has: its place in the host's window tree and the XEmbed property, the
// parents it refuses, requests in odd order, the host's window vanishing first, and double clicks
// recognised from the two presses' times and places. The checks look at the server through a
// connection of their own.
#include "../display_scale_checks.h"
#include "../editor_window_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <utility>

using namespace editor_window;

namespace {

class X11EditorWindow : public EditorWindow {
protected:
    void SetUp() override {
        EditorWindow::SetUp();
        if (!IsSkipped()) {
            display_ = XOpenDisplay(nullptr);
            ASSERT_NE(display_, nullptr);
        }
    }
    void TearDown() override {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }

    Window HostParent() {
        return static_cast<Window>(
            reinterpret_cast<std::uintptr_t>(editor.Window().ParentHandle()));
    }

    std::vector<Window> Children(Window parent) {
        Window root = 0;
        Window grandparent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        std::vector<Window> found;
        if (XQueryTree(display_, parent, &root, &grandparent, &children, &count) != 0) {
            found.assign(children, children + count);
            XFree(children);
        }
        return found;
    }

    // A top-level window of the editor's size with a visual of this class and depth, on the
    // screen; 0 when the display has no such visual.
    Window ParentWithVisual(int depth, int visualClass) {
        XVisualInfo visual{};
        if (!XMatchVisualInfo(display_, DefaultScreen(display_), depth, visualClass, &visual)) {
            return 0;
        }
        const Window root = DefaultRootWindow(display_);
        XSetWindowAttributes attributes{};
        attributes.colormap = XCreateColormap(display_, root, visual.visual, AllocNone);
        attributes.override_redirect = True;
        const Window window = XCreateWindow(
            display_, root, 40, 40, EditorWidth, EditorHeight, 0, visual.depth, InputOutput,
            visual.visual, CWColormap | CWBorderPixel | CWOverrideRedirect, &attributes);
        XMapWindow(display_, window);
        XSync(display_, False);
        return window;
    }

    VstIntPtr OpenIn(Window parent) {
        return editor.host.Dispatch(effEditOpen, 0, 0,
                                    reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent)));
    }

    // The host's idle calls for parents made here, which no host window's loop idles.
    void IdleFor(int milliseconds) {
        for (int elapsed = 0; elapsed < milliseconds; elapsed += 20) {
            editor.host.Dispatch(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    // The typed entry on Time at the editor's scale (the test above).
    void CheckTypedEntry(int percent) {
        const Window child = Children(HostParent()).at(0);
        // Which window has the keyboard, and whether the editor's window asks for key events.
        const auto keyboard = [&] {
            Window focus = 0;
            int revert = 0;
            XWindowAttributes attributes{};
            XGetInputFocus(display_, &focus, &revert);
            XGetWindowAttributes(display_, child, &attributes);
            return std::make_pair(focus, (attributes.all_event_masks & KeyPressMask) != 0);
        };
        const auto type = [&](std::vector<const char*> keys) { // key symbol names
            for (const char* key : keys) {
                const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(key));
                XTestFakeKeyEvent(display_, code, True, CurrentTime);
                XTestFakeKeyEvent(display_, code, False, CurrentTime);
            }
            XSync(display_, False);
            editor.Run(TwoTicks);
        };
        const auto rightClick = [&] {
            editor.Run(600); // a second press this close would be a double click
            editor.Window().MoveMouse(TimeCentre.x * percent / 100, TimeCentre.y * percent / 100);
            editor.Window().PressButton(HostWindow::Button::Right, {});
            editor.Window().ReleaseButton(HostWindow::Button::Right, {});
            editor.Run(TwoTicks);
        };
        const auto hosts = keyboard();
        EXPECT_FALSE(hosts.second);

        rightClick();
        EXPECT_EQ(keyboard(), std::make_pair(child, true));
        type({"a", "b", "Return"});
        EXPECT_EQ(keyboard(), std::make_pair(child, true)) << "a refused text closed the entry";
        type({"Escape"});
        EXPECT_EQ(keyboard(), hosts);
        EXPECT_EQ(editor.host.GetParameter(editor_window::Time), 0.5f);
        EXPECT_TRUE(editor.Shows(DefaultFrames, percent)); // the entry's box is gone

        rightClick();
        type({"0", "period", "8", "Return"});
        EXPECT_EQ(keyboard(), hosts);
        EXPECT_FLOAT_EQ(editor.host.GetParameter(editor_window::Time),
                        static_cast<float>((std::log10(0.8) + 2.0) / 3.0));
        std::vector<VstInt32> gestures;
        for (const HostCall& call : editor.host.Calls()) {
            if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
                call.opcode == audioMasterEndEdit) {
                gestures.push_back(call.opcode);
            }
        }
        EXPECT_EQ(gestures, (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterAutomate,
                                                   audioMasterEndEdit}));
    }

    Display* display_ = nullptr;
};

} // namespace

TEST_F(X11EditorWindow, TheEditorIsAMappedChildOfTheHostsWindowAnnouncedToXEmbed) {
    ASSERT_EQ(editor.OpenEditor(), 1);
    const std::vector<Window> children = Children(HostParent());
    ASSERT_EQ(children.size(), 1u);
    XWindowAttributes attributes{};
    ASSERT_NE(XGetWindowAttributes(display_, children[0], &attributes), 0);
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(attributes.width, EditorWidth);
    EXPECT_EQ(attributes.height, EditorHeight);
    const Atom info = XInternAtom(display_, "_XEMBED_INFO", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(display_, children[0], info, 0, 2, False, info, &type, &format,
                                 &count, &left, &data),
              Success);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(reinterpret_cast<const long*>(data)[0], 0); // version
    EXPECT_EQ(reinterpret_cast<const long*>(data)[1], 1); // mapped
    XFree(data);

    ASSERT_EQ(editor.OpenEditor(), 1);
    EXPECT_EQ(Children(HostParent()).size(), 1u) << "a second open left the first window behind";
    EXPECT_EQ(editor.CloseEditor(), 1);
    EXPECT_TRUE(Children(HostParent()).empty());
}

TEST_F(X11EditorWindow, OnlyTrueColorParentsOf24Or32BitsAreAcceptedAndThe32BitOneShowsTheEditor) {
    if (const Window direct = ParentWithVisual(24, DirectColor)) {
        EXPECT_EQ(OpenIn(direct), 0) << "a DirectColor parent was accepted";
        EXPECT_TRUE(Children(direct).empty());
        XDestroyWindow(display_, direct);
    }
    const Window argb = ParentWithVisual(32, TrueColor);
    if (argb == 0) {
        GTEST_SKIP() << "the display offers no 32-bit TrueColor visual";
    }
    ASSERT_EQ(OpenIn(argb), 1);
    IdleFor(TwoTicks);
    XImage* image = XGetImage(display_, argb, 0, 0, EditorWidth, EditorHeight, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    std::vector<std::uint32_t> shown;
    int opaque = 0;
    for (int y = 0; y < EditorHeight; ++y) {
        for (int x = 0; x < EditorWidth; ++x) {
            shown.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y)));
            opaque += shown.back() >> 24 == 0xFF ? 1 : 0;
        }
    }
    XDestroyImage(image);
    EXPECT_EQ(DifferingPixels(shown, DefaultFrames), 0);
    EXPECT_EQ(opaque, EditorWidth * EditorHeight);
    EXPECT_EQ(editor.CloseEditor(), 1);
    XDestroyWindow(display_, argb);
}

// Xlib's own handler would end the process on the first error; the editor's connection catches it.
TEST_F(X11EditorWindow, OddRequestsAndParentsThatAreNoWindowsAnswerAndChangeNothing) {
    EXPECT_EQ(editor.host.Dispatch(effEditIdle), 0);
    EXPECT_EQ(editor.CloseEditor(), 1);
    EXPECT_EQ(editor.host.Dispatch(effEditOpen, 0, 0, nullptr), 0);
    EXPECT_EQ(OpenIn(0x7FFFFFF), 0); // ids of no client reach this far
    EXPECT_TRUE(Children(HostParent()).empty());
    OpenAndShow();
    EXPECT_TRUE(editor.Shows(DefaultFrames));
}

TEST_F(X11EditorWindow, TheHostDestroyingItsWindowBeforeClosingTheEditorEndsNothingElse) {
    const Window parent = ParentWithVisual(24, TrueColor);
    ASSERT_EQ(OpenIn(parent), 1);
    IdleFor(60);
    XDestroyWindow(display_, parent);
    XSync(display_, False);
    editor.host.SetParameter(editor_window::Time, 0.8f);
    IdleFor(100);
    EXPECT_EQ(editor.CloseEditor(), 1);
    OpenAndShow();
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames()));
}

// A double click returns the knob to its default; presses further apart than 500 ms, or than two
// pixels in a direction, are single clicks that leave it where it is.
TEST_F(X11EditorWindow, ADoubleClickNeedsTwoPressesWithinHalfASecondAndTwoPixels) {
    editor.host.SetParameter(editor_window::Time, 0.8f);
    OpenAndShow();
    const auto clicks = [this](Point second, int pause) {
        editor.Click(TimeCentre);
        editor.Run(pause);
        editor.Click(second);
        editor.Run(600); // the next pair starts afresh
        return editor.host.GetParameter(editor_window::Time);
    };
    EXPECT_EQ(clicks(TimeCentre, 600), 0.8f) << "presses 600 ms apart";
    EXPECT_EQ(clicks(Point{TimeCentre.x + 3, TimeCentre.y}, 0), 0.8f) << "three pixels apart";
    EXPECT_EQ(clicks(Point{TimeCentre.x + 2, TimeCentre.y - 2}, 0), 0.5f) << "two pixels apart";
}

// Hosts may idle the editor from a thread of their own while their GUI thread closes the plug-in.
// The close comes while that thread's idle call is telling the host about a click (its automate
// handler takes 30 ms) and while host automation keeps the editor painting: effClose waits for
// that call's work with the plug-in, so nothing runs on a deleted instance. Several rounds, and
// under ThreadSanitizer and valgrind in the thorough run.
TEST(X11EditorClose, EffCloseFromAnotherThreadWaitsForTheIdleCallAtWork) {
    for (int round = 0; round < 3; ++round) {
        EditorInWindow editor;
        std::string error;
        if (!editor.Start(error)) {
            GTEST_SKIP() << "no window to open the editor in: " << error;
        }
        ASSERT_EQ(editor.OpenEditor(), 1);
        editor.Run(TwoTicks);
        std::atomic<bool> inHost{false};
        std::atomic<bool> stop{false};
        editor.host.SetCallHook([&](PluginHost&, const HostCall& call) {
            if (call.opcode == audioMasterAutomate && !inHost.exchange(true)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
            }
        });
        std::thread idler([&] {
            for (unsigned i = 0; !stop.load(); ++i) {
                editor.host.SetParameter(Vol, static_cast<float>(i % 9) / 8.0f);
                editor.host.Dispatch(effEditIdle);
                std::this_thread::yield();
            }
        });
        editor.Click(SwitchPoint);
        for (int wait = 0; wait < 10000 && !inHost.load(); ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        stop = true;
        editor.host.Close();
        idler.join();
        EXPECT_TRUE(inHost.load()) << "round " << round << ": the click never reached the host";
        EXPECT_EQ(editor.host.CountCalls(audioMasterBeginEdit),
                  editor.host.CountCalls(audioMasterEndEdit))
            << "round " << round;
    }
}

// A right click on Time opens an entry drawn on the canvas that holds the keyboard while it is
// open: a refused text keeps the value and the entry, Escape drops it, Return applies 0.8 s as
// one gesture. Each time the entry closes, the keyboard goes back to where it was and the window
// asks the server for no key events, so with no entry open every key goes to the host. The same
// at each scale a host asks for, in a host window large enough for 2x.
TEST_F(X11EditorWindow, ARightClickTypesAValueWhileTheEntryAloneHoldsTheKeyboard) {
    for (const int percent : {100, 150, 200}) {
        SCOPED_TRACE(percent);
        std::string error;
        ASSERT_TRUE(editor.OpenWindow(error, 1110, 612)) << error;
        editor.host.SetParameter(editor_window::Time, 0.5f);
        ASSERT_EQ(editor.host.Dispatch(effVendorSpecific, 0x50726553 /* 'PreS' */,
                                       0x41654373 /* 'AeCs' */, nullptr, percent / 100.0f),
                  1);
        OpenAndShow();
        CheckTypedEntry(percent);
        EXPECT_EQ(editor.CloseEditor(), 1);
    }
}

namespace {

// The display's resources with Xft.dpi set, as `xrdb -merge` leaves them; the old ones come
// back afterwards.
class X11EditorAtDisplayDpi : public testing::Test {
protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) {
            GTEST_SKIP() << "no X display";
        }
        const char* old = XResourceManagerString(display_);
        hadResources_ = old != nullptr;
        oldResources_ = old != nullptr ? old : "";
    }
    void TearDown() override {
        if (display_ == nullptr) {
            return;
        }
        if (hadResources_) {
            SetResources(oldResources_);
        } else {
            XDeleteProperty(display_, DefaultRootWindow(display_), XA_RESOURCE_MANAGER);
            XSync(display_, False);
        }
        XCloseDisplay(display_);
    }

    void SetDpi(int dpi) {
        SetResources(oldResources_ + "\nXft.dpi:\t" + std::to_string(dpi) + "\n");
    }

    Display* display_ = nullptr;
    bool hadResources_ = false;
    std::string oldResources_;

private:
    void SetResources(const std::string& resources) {
        XChangeProperty(display_, DefaultRootWindow(display_), XA_RESOURCE_MANAGER, XA_STRING, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(resources.c_str()),
                        static_cast<int>(resources.size()));
        XSync(display_, False);
    }
};

} // namespace

TEST_F(X11EditorAtDisplayDpi, ReportsTheScaledSizeShowsThatCanvasAndDragsAsFarTimesTheScale) {
    for (const DisplayScale& scale : DisplayScales) {
        SetDpi(scale.dpi);
        EditorInWindow editor;
        CheckEditorAtDisplayScale(editor, scale);
    }
}
