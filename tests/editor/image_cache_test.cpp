// The editor's images: decoded once per process and shared by every instance, and a missing or
// unusable image leaves a control that paints nothing instead of a broken editor.
#include "editor/capped_knob.h"
#include "editor/switch_control.h"
#include "editor_session.h"
#include "recording_graphics.h"

#include <memory>
#include <set>

namespace {

// Every image pointer an editor's controls hold, in list order.
std::vector<const PX_Bitmap*> ImagesOf(GraphicsContext& editor) {
    std::vector<const PX_Bitmap*> images;
    for (int i = 0; i < editor.ControlCount(); ++i) {
        const Control* control = editor.ControlAt(i);
        if (const auto* knob = dynamic_cast<const CappedKnob*>(control)) {
            images.push_back(knob->FrameStrip().bitmap);
            images.push_back(knob->CapStrip()->bitmap);
        } else if (const auto* bitmap = dynamic_cast<const BitmapControl*>(control)) {
            images.push_back(bitmap->Strip().bitmap);
        }
    }
    return images;
}

constexpr int NotEmbeddedId = 999;

} // namespace

TEST(EditorImages, FiftyInstancesAliveAtOnceShareOneDecodeOfEachImage) {
    std::vector<std::unique_ptr<EditorSession>> sessions;
    for (int i = 0; i < 50; ++i) {
        sessions.push_back(std::make_unique<EditorSession>());
        ASSERT_TRUE(sessions.back()->Created());
    }
    const std::vector<const PX_Bitmap*> first = ImagesOf(sessions[0]->Editor());
    const std::set<const PX_Bitmap*> distinct(first.begin(), first.end());
    EXPECT_EQ(first.size(), 10u);
    EXPECT_EQ(distinct.size(), 10u);
    EXPECT_EQ(distinct.count(nullptr), 0u);
    for (auto& session : sessions) {
        EXPECT_EQ(ImagesOf(session->Editor()), first);
    }
}

TEST(EditorImages, OnlyNamesEndingInPngAreLoaded) {
    RecordingGraphics graphics;
    EXPECT_EQ(graphics.LoadImageResource(106, "resources/img/back2.bmp"), nullptr);
    EXPECT_EQ(graphics.LoadImageResource(106, "back2png"), nullptr);
    std::unique_ptr<PX_Bitmap> image(graphics.LoadImageResource(106, "BACK2.PNG"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Width(), 555);
}

// A knob and a switch laid out from an image the module does not hold, as the effect's layout
// would lay them out: they get empty strips, paint nothing and catch no press.
TEST(EditorImages, AMissingImageGivesControlsThatPaintNothing) {
    RecordingGraphics graphics;
    const ImageStrip missing =
        graphics.LoadStrip(NotEmbeddedId, "resources/img/missing.png", 120, false);
    EXPECT_EQ(missing.bitmap, nullptr);
    EXPECT_EQ(missing.width, 0);
    EXPECT_EQ(missing.height, 0);
    graphics.AddControl(new CappedKnob(nullptr, Bounds{133, 167, 133, 167}, -1, Blend{},
                                       KnobVertical, 4.0, missing, 133, 167, &missing));
    graphics.AddControl(new SwitchControl(nullptr, Bounds{26, 24, 26, 24}, -1, Blend{}, missing));
    graphics.PrepareCanvas();
    PX_Bitmap& canvas = *graphics.Canvas();
    const size_t words = size_t(canvas.RowStride()) * size_t(canvas.Height());
    std::fill(canvas.PixelData(), canvas.PixelData() + words, 0x5A5A5A5Au);
    EXPECT_TRUE(graphics.Repaint(Bounds{0, 0, 555, 306}));
    for (size_t i = 0; i < words; ++i) {
        ASSERT_EQ(canvas.PixelData()[i], 0x5A5A5A5Au) << "word " << i;
    }
    graphics.HandlePress(133, 167, MouseKeys{true});
    EXPECT_EQ(graphics.CapturedIndex(), -1);
}
