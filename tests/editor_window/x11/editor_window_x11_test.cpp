// What only the X11 window has: its place in the host's window tree and the XEmbed property, the
// parents it refuses, requests in odd order, the host's window vanishing first, and double clicks
// recognised from the two presses' times and places. The checks look at the server through a
// connection of their own.
#include "../double_scale_checks.h"
#include "../editor_window_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <thread>

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

namespace {

// The display's resources with Xft.dpi set to 192, as `xrdb -merge` leaves them; the old ones
// come back afterwards.
class X11EditorAtDoubleDpi : public testing::Test {
protected:
    void SetUp() override {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) {
            GTEST_SKIP() << "no X display";
        }
        const Window root = DefaultRootWindow(display_);
        const char* old = XResourceManagerString(display_);
        hadResources_ = old != nullptr;
        oldResources_ = old != nullptr ? old : "";
        const std::string resources = oldResources_ + "\nXft.dpi:\t192\n";
        XChangeProperty(display_, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(resources.c_str()),
                        static_cast<int>(resources.size()));
        XSync(display_, False);
    }
    void TearDown() override {
        if (display_ == nullptr) {
            return;
        }
        const Window root = DefaultRootWindow(display_);
        if (hadResources_) {
            XChangeProperty(display_, root, XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(oldResources_.c_str()),
                            static_cast<int>(oldResources_.size()));
        } else {
            XDeleteProperty(display_, root, XA_RESOURCE_MANAGER);
        }
        XCloseDisplay(display_);
    }

    Display* display_ = nullptr;
    bool hadResources_ = false;
    std::string oldResources_;
    EditorInWindow editor;
};

} // namespace

TEST_F(X11EditorAtDoubleDpi, ReportsTwiceTheSizeShowsThe2xCanvasAndDragsTwiceAsFar) {
    CheckEditorAtTwiceTheSize(editor);
}
