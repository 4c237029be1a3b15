// What only the X11 window has: its place in the host's window tree and the XEmbed property, the
// parents it refuses, the host's window vanishing first, requests in odd order, and double clicks
// recognised from the two presses' times and places. The checks look at the server through a
// connection of their own.
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
        if (IsSkipped()) {
            return;
        }
        display_ = XOpenDisplay(nullptr);
        ASSERT_NE(display_, nullptr);
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

    // A top-level window of the editor's size with the given visual, shown on the screen.
    Window ParentWithVisual(const XVisualInfo& visual) {
        const Window root = DefaultRootWindow(display_);
        XSetWindowAttributes attributes{};
        attributes.colormap = XCreateColormap(display_, root, visual.visual, AllocNone);
        attributes.border_pixel = 0;
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

    // Host idle calls without a host window's loop, for parents made here.
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
    const long* values = reinterpret_cast<const long*>(data);
    EXPECT_EQ(values[0], 0); // version
    EXPECT_EQ(values[1], 1); // mapped
    XFree(data);

    ASSERT_EQ(editor.OpenEditor(), 1);
    EXPECT_EQ(Children(HostParent()).size(), 1u) << "a second open left the first window behind";
    EXPECT_EQ(editor.CloseEditor(), 1);
    EXPECT_TRUE(Children(HostParent()).empty());
}

TEST_F(X11EditorWindow, OnlyTrueColorParentsOf24Or32BitsAreAcceptedAndThe32BitOneShowsOpaque) {
    XVisualInfo direct{};
    if (XMatchVisualInfo(display_, DefaultScreen(display_), 24, DirectColor, &direct)) {
        const Window parent = ParentWithVisual(direct);
        EXPECT_EQ(OpenIn(parent), 0) << "a DirectColor parent was accepted";
        EXPECT_TRUE(Children(parent).empty());
        XDestroyWindow(display_, parent);
    }
    XVisualInfo argb{};
    if (!XMatchVisualInfo(display_, DefaultScreen(display_), 32, TrueColor, &argb)) {
        GTEST_SKIP() << "the display offers no 32-bit TrueColor visual";
    }
    const Window parent = ParentWithVisual(argb);
    ASSERT_EQ(OpenIn(parent), 1);
    IdleFor(TwoTicks);
    XImage* image =
        XGetImage(display_, parent, 0, 0, EditorWidth, EditorHeight, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    const std::vector<uint32_t> expected = ReferenceEditor(DefaultFrames);
    int wrong = 0;
    for (int y = 0; y < EditorHeight; ++y) {
        for (int x = 0; x < EditorWidth; ++x) {
            const auto shown = static_cast<uint32_t>(XGetPixel(image, x, y));
            wrong += shown != (expected[size_t(y) * EditorWidth + size_t(x)] | 0xFF000000u);
        }
    }
    XDestroyImage(image);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(editor.CloseEditor(), 1);
    XDestroyWindow(display_, parent);
}

// Xlib's own handler would end the process on the first error; the editor's connection catches it.
TEST_F(X11EditorWindow, AParentThatIsNoWindowIsRefusedAndTheHostCarriesOn) {
    EXPECT_EQ(editor.host.Dispatch(effEditOpen, 0, 0, nullptr), 0);
    const Window notAWindow = 0x7FFFFFF; // ids of no client reach this far
    EXPECT_EQ(OpenIn(notAWindow), 0);
    ASSERT_EQ(editor.OpenEditor(), 1);
    editor.Run(TwoTicks);
    EXPECT_TRUE(editor.Shows(DefaultFrames));
}

TEST_F(X11EditorWindow, TheHostDestroyingItsWindowBeforeClosingTheEditorEndsNothingElse) {
    XVisualInfo visual{};
    ASSERT_TRUE(XMatchVisualInfo(display_, DefaultScreen(display_), 24, TrueColor, &visual));
    const Window parent = ParentWithVisual(visual);
    ASSERT_EQ(OpenIn(parent), 1);
    IdleFor(60);
    XDestroyWindow(display_, parent);
    XSync(display_, False);
    editor.host.SetParameter(editor_window::Time, 0.8f);
    IdleFor(100);
    EXPECT_EQ(editor.CloseEditor(), 1);
    ASSERT_EQ(editor.OpenEditor(), 1);
    editor.Run(TwoTicks);
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames()));
}

TEST_F(X11EditorWindow, IdleBeforeOpenAndCloseWithoutOpenChangeNothing) {
    EXPECT_EQ(editor.host.Dispatch(effEditIdle), 0);
    EXPECT_EQ(editor.CloseEditor(), 1);
    EXPECT_TRUE(Children(HostParent()).empty());
    OpenAndShow();
    EXPECT_TRUE(editor.Shows(DefaultFrames));
}

// A double click returns the knob to its default; presses further apart than 500 ms, or than two
// pixels in a direction, are single clicks that leave it where it is.
TEST_F(X11EditorWindow, ADoubleClickNeedsTwoPressesWithinHalfASecondAndTwoPixels) {
    editor.host.SetParameter(editor_window::Time, 0.8f);
    OpenAndShow();
    editor.Click(TimeCentre);
    editor.Run(600);
    editor.Click(TimeCentre);
    editor.Run(600);
    EXPECT_EQ(editor.host.GetParameter(editor_window::Time), 0.8f) << "presses 600 ms apart";

    editor.Click(TimeCentre);
    editor.Click(Point{TimeCentre.x + 3, TimeCentre.y});
    editor.Run(600);
    EXPECT_EQ(editor.host.GetParameter(editor_window::Time), 0.8f) << "presses three pixels apart";

    editor.Click(TimeCentre);
    editor.Click(Point{TimeCentre.x + 2, TimeCentre.y - 2});
    editor.Run(TwoTicks);
    EXPECT_EQ(editor.host.GetParameter(editor_window::Time), 0.5f) << "presses two pixels apart";
}
