// What the editor shows: the canvas after the window's tick, pixel for pixel against the picture
// composed from the filmstrip PNGs, at the defaults and after each kind of change from the host.
#include "canvas_difference.h"

#include <cstring>

TEST(EditorCanvas, ShowsTheDefaultsAfterConstructionAndAfterOpen) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    EXPECT_TRUE(session.Tick());
    EXPECT_EQ(CanvasDifference(session, ReferenceEditor(DefaultFrames)), "");
    session.host.Open();
    session.Tick();
    EXPECT_EQ(CanvasDifference(session, ReferenceEditor(DefaultFrames)), "");
}

TEST(EditorCanvas, EachChangeFromTheHostShowsAfterTheNextTick) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    session.host.Open();
    session.Tick();

    session.host.SetParameter(Time, 1.0f);
    session.Tick();
    EXPECT_EQ(CanvasDifference(session, ReferenceEditor({84, 120, 90, 60, 2})), "");

    // "Before Overdrive": 0.5, 0.772, 1.0, Vol 1.0 of 0..2, on.
    session.host.SetProgram(5);
    const std::vector<uint8_t> chunk = session.host.GetChunk(true);
    session.Tick();
    const EditorFrames overdrive{KnobFrame(0.5), KnobFrame(0.772), 120, 60, 2};
    EXPECT_EQ(CanvasDifference(session, ReferenceEditor(overdrive)), "");

    // "Arpeggio": 0.676, 0.433, 1.0, 1.0, on; then the chunk brings the previous values back.
    session.host.SetProgram(3);
    session.Tick();
    EXPECT_EQ(CanvasDifference(session,
                               ReferenceEditor({KnobFrame(0.676), KnobFrame(0.433), 120, 60, 2})),
              "");
    ASSERT_TRUE(session.host.SetChunk(true, chunk));
    session.Tick();
    EXPECT_EQ(CanvasDifference(session, ReferenceEditor(overdrive)), "");

    // A typed value reads in the display's unit: -inf dB is the bottom of Vol's range.
    char typed[] = "-inf";
    ASSERT_EQ(session.host.Dispatch(effString2Parameter, Vol, 0, typed), 1);
    session.Tick();
    EditorFrames silent = overdrive;
    silent.vol = 1;
    EXPECT_EQ(CanvasDifference(session, ReferenceEditor(silent)), "");
}

TEST(EditorCanvas, AnIdleTickTouchesNoPixel) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    session.Tick();
    session.Tick(); // a pushed value is painted on two ticks in a row
    PX_Bitmap& canvas = *session.Editor().Canvas();
    const size_t words = size_t(canvas.RowStride()) * size_t(canvas.Height());
    std::memset(canvas.PixelData(), 0x5A, words * 4);
    EXPECT_FALSE(session.Tick());
    for (size_t i = 0; i < words; ++i) {
        ASSERT_EQ(canvas.PixelData()[i], 0x5A5A5A5Au) << "word " << i;
    }
}
