// The editor at 1.5 and 2 times its size, as a host asks for it through the effect record: the
// size it reports, the canvas against the picture composed from the scaled artwork, and gestures
// that keep their feel at the scale.
#include "canvas_difference.h"
#include "editor/control.h"
#include "editor_session.h"
#include "reference_editor.h"

#include <cmath>
#include <limits>

namespace {

constexpr VstInt32 ScaleHint = 0x50726553;     // 'PreS'
constexpr VstIntPtr ContentScale = 0x41654373; // 'AeCs'

VstIntPtr Hint(EditorSession& session, float factor, VstIntPtr value = ContentScale) {
    return session.host.Dispatch(effVendorSpecific, ScaleHint, value, nullptr, factor);
}

std::string ReportedSize(EditorSession& session) {
    ERect* rect = nullptr;
    if (session.host.Dispatch(effEditGetRect, 0, 0, &rect) != 1 || rect == nullptr) {
        return "none";
    }
    return std::to_string(rect->right - rect->left) + " x " +
           std::to_string(rect->bottom - rect->top);
}

} // namespace

TEST(EditorScale, TheHostsHintGoesToTheNearestScaleAndGarbageChangesNothing) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    EXPECT_EQ(session.host.Dispatch(effCanDo, 0, 0, const_cast<char*>("supportsViewDpiScaling")),
              1);
    const struct {
        float factor;
        VstIntPtr answer;
        const char* size;
    } hints[] = {
        {2.0f, 1, "1110 x 612"},
        {1.5f, 1, "833 x 459"},
        {1.0f, 1, "555 x 306"},
        {1.3f, 1, "833 x 459"},
        {1.2f, 1, "555 x 306"},
        {1.8f, 1, "1110 x 612"},
        {3.5f, 1, "1110 x 612"},
        {0.5f, 1, "555 x 306"},
        {1.75f, 1, "1110 x 612"},
        {0.0f, 0, "1110 x 612"},
        {-2.0f, 0, "1110 x 612"},
        {std::numeric_limits<float>::quiet_NaN(), 0, "1110 x 612"},
        {std::numeric_limits<float>::infinity(), 0, "1110 x 612"},
    };
    for (const auto& hint : hints) {
        EXPECT_EQ(Hint(session, hint.factor), hint.answer) << hint.factor;
        EXPECT_EQ(ReportedSize(session), hint.size) << hint.factor;
    }
    EXPECT_EQ(Hint(session, 1.0f, 0x41654363 /* 'AeCc' */), 0);
    EXPECT_EQ(ReportedSize(session), "1110 x 612");
}

// The 2x canvas is exact; at 1.5x the editor's filter and the plain formula may differ by a level
// of rounding, which blending can carry to two.
TEST(EditorScale, TheCanvasShowsTheScaledArtworkAtTheScaledPlaces) {
    const struct {
        int percent;
        int tolerance;
    } scales[] = {{200, 0}, {150, 2}, {100, 0}};
    for (const auto& scale : scales) {
        EditorSession session;
        ASSERT_TRUE(session.Created());
        session.host.Open();
        ASSERT_EQ(Hint(session, scale.percent / 100.0f), 1);
        session.Tick();
        EXPECT_EQ(CanvasDifference(session, ReferenceEditor(DefaultFrames, scale.percent),
                                   scale.percent, scale.tolerance),
                  "")
            << scale.percent;
        session.host.SetParameter(Time, 1.0f);
        session.host.SetParameter(OnOff, 0.0f);
        session.Tick();
        EXPECT_EQ(CanvasDifference(session, ReferenceEditor({84, 120, 90, 60, 1}, scale.percent),
                                   scale.percent, scale.tolerance),
                  "")
            << scale.percent;
    }
}

// Dragging a knob by its drawn height turns it a quarter at every scale; the wheel and a double
// click do what they do at 1x; the switch is hit where it is drawn; text grows with the scale.
TEST(EditorScale, GesturesKeepTheirFeelAndHitWhatIsDrawn) {
    for (int percent : {100, 150, 200}) {
        EditorSession session;
        ASSERT_TRUE(session.Created());
        session.host.Open();
        ASSERT_EQ(Hint(session, percent / 100.0f), 1);
        const int height = int(std::lround(145 * percent / 100.0));
        const Point time{int(std::lround(133 * percent / 100.0)),
                         int(std::lround(167 * percent / 100.0))};
        session.Press(time);
        session.Editor().HandleDrag(time.x, time.y - height, MouseKeys{true});
        session.Release(Point{time.x, time.y - height});
        EXPECT_NEAR(session.host.GetParameter(Time), 0.75, 1e-6) << percent;
        session.Editor().HandleWheel(time.x, time.y, MouseKeys{}, 1);
        EXPECT_NEAR(session.host.GetParameter(Time), 0.76, 1e-6) << percent;
        session.Editor().HandleDoubleClick(time.x, time.y, MouseKeys{true});
        EXPECT_NEAR(session.host.GetParameter(Time), 0.5, 1e-6) << percent;
        // The switch's far corner (48, 46 at 1x) lies outside the 1x switch at larger scales.
        session.Click(Point{int(std::lround(48 * percent / 100.0)) - 2,
                            int(std::lround(46 * percent / 100.0)) - 2});
        EXPECT_EQ(session.host.GetParameter(OnOff), 0.0f) << percent;
        // Text a control draws (a readout, a typed entry) is at the scale too: 12 pixels at 1x.
        EXPECT_EQ(session.Editor().ControlAt(Time + 1)->Style().size, 12 * percent / 100);
    }
}
