// The value readout on the effect's own editor driven as a window drives it: hovering or dragging
// a control shows its parameter's name and the host's display text with its label, which
// disappear a moment after the pointer leaves. (Typed values: the editor-window tests.)
#include "canvas_difference.h"
#include "editor/control.h"
#include "editor/value_readout.h"
#include "editor_session.h"
#include "reference_editor.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace {

std::string ShownByHost(PluginHost& host, int param) {
    const std::string label = host.ParamLabel(param);
    return host.ParamDisplay(param) + (label.empty() ? "" : " " + label);
}

bool CanvasIs(EditorSession& session, const std::vector<uint32_t>& expected) {
    for (int y = 0; y < 306; ++y) {
        if (!std::equal(session.CanvasRow(y), session.CanvasRow(y) + 555, &expected[y * 555u])) {
            return false;
        }
    }
    return true;
}

} // namespace

TEST(ValueReadout, HoverAndDragShowTheHostsDisplayTextUntilShortlyAfterThePointerLeaves) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    session.host.Open();
    session.Tick();
    // The layout adds the name and then the value display after every other control.
    const int count = session.Editor().ControlCount();
    const struct {
        ValueReadout* name;
        ValueReadout* value;
    } readout = {dynamic_cast<ValueReadout*>(session.Editor().ControlAt(count - 2)),
                 dynamic_cast<ValueReadout*>(session.Editor().ControlAt(count - 1))};
    ASSERT_TRUE(readout.name != nullptr && readout.value != nullptr);
    const std::pair<Point, EditorParam> controls[] = {{{323, 120}, Sensitivity},
                                                      {TimeCentre, Time},
                                                      {{478, 84}, Depth},
                                                      {{482, 228}, Vol},
                                                      {SwitchPoint, OnOff}};
    for (const auto& [at, param] : controls) {
        EXPECT_TRUE(session.Editor().HandleHover(at.x, at.y, {}));
        EXPECT_EQ(readout.value->Text(), ShownByHost(session.host, param));
        EXPECT_STREQ(readout.name->Text(), session.host.ParamName(param).c_str());
    }
    session.Tick();
    EXPECT_FALSE(CanvasIs(session, ReferenceEditor(DefaultFrames))); // the readout is drawn

    // Dragging Time up 58 pixels raises it by 0.1 to 0.6: 10^(3 * 0.6 - 2) = 0.631 s.
    MouseKeys held;
    held.left = true;
    session.Press(TimeCentre);
    session.Editor().HandleDrag(TimeCentre.x, TimeCentre.y - 58, held);
    EXPECT_STREQ(readout.value->Text(), "0.63 s");
    session.Release(Point{TimeCentre.x, TimeCentre.y - 58});
    EXPECT_EQ(readout.value->Text(), ShownByHost(session.host, Time));

    session.Editor().HandleLeave();
    session.Tick();
    session.Tick();
    EditorFrames turned = DefaultFrames;
    turned.time = KnobFrame(session.host.GetParameter(Time));
    EXPECT_FALSE(CanvasIs(session, ReferenceEditor(turned))); // still there just after leaving
    std::this_thread::sleep_for(std::chrono::milliseconds(1400));
    session.Tick();
    session.Tick();
    EXPECT_TRUE(CanvasIs(session, ReferenceEditor(turned)));
}

namespace {

// The canvas as 0x00RRGGBB words, row by row.
std::vector<uint32_t> CanvasPixels(EditorSession& session) {
    std::vector<uint32_t> pixels;
    for (int y = 0; y < session.Editor().Height(); ++y) {
        const PX_Pixel32* row = session.CanvasRow(y);
        for (int x = 0; x < session.Editor().Width(); ++x) {
            pixels.push_back(row[x] & 0xFFFFFFu);
        }
    }
    return pixels;
}

} // namespace

// While it shows, the readout follows the host's automation of the control it shows (and only
// that one), and it still goes when its linger after the pointer left runs out. At every scale it
// is drawn inside its own area, scaled, and the rest of the canvas is the editor's picture.
TEST(ValueReadout, FollowsTheHostsChangesWhileShownAndHidesOnTimeAtEveryScale) {
    for (const int percent : {100, 150, 200}) {
        SCOPED_TRACE(percent);
        EditorSession session;
        ASSERT_TRUE(session.Created());
        session.host.Open();
        ASSERT_EQ(session.host.Dispatch(effVendorSpecific, 0x50726553 /* 'PreS' */,
                                        0x41654373 /* 'AeCs' */, nullptr, percent / 100.0f),
                  1);
        session.Tick();
        auto* value = dynamic_cast<ValueReadout*>(
            session.Editor().ControlAt(session.Editor().ControlCount() - 1));
        ASSERT_NE(value, nullptr);
        const Point time{TimeCentre.x * percent / 100, TimeCentre.y * percent / 100};
        EXPECT_TRUE(session.Editor().HandleHover(time.x, time.y, {}));
        session.Tick();
        const std::vector<uint32_t> shown = CanvasPixels(session);
        const std::vector<uint32_t> picture = ReferenceEditor(DefaultFrames, percent);
        EXPECT_EQ(DifferingPixels(shown, picture, percent), 0); // outside the readout
        EXPECT_NE(shown, picture);                              // the readout is drawn

        const struct {
            int param;
            float value;
        } automation[] = {{Time, 0.8f}, {Depth, 0.1f}, {Time, 0.2f}};
        for (const auto& change : automation) {
            session.host.SetParameter(change.param, change.value);
            session.Tick();
            EXPECT_EQ(value->Text(), ShownByHost(session.host, Time)) << change.param;
            session.Editor().HandleLeave(); // the linger starts at the first leave
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1400));
        session.host.SetParameter(Time, 0.5f);
        session.Tick();
        session.Tick();
        EditorFrames moved = DefaultFrames;
        moved.depth = KnobFrame(0.1);
        EXPECT_EQ(CanvasDifference(session, ReferenceEditor(moved, percent), percent,
                                   ChannelTolerance(percent)),
                  "");
    }
}
