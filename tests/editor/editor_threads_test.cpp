// The host sets parameters, switches presets and restores chunks on one thread while the window
// ticks on another, with no lock between them: the window must only ever see values the host
// wrote, and the last ones must be on the canvas once the host stops. Run under ThreadSanitizer
// (linux-tsan) this also shows that the hand-over is free of data races.
#include "editor/control.h"
#include "editor_session.h"
#include "reference_editor.h"

#include <atomic>
#include <set>
#include <thread>

namespace {

constexpr int Ticks = 2000;
constexpr float HostValues[] = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
// The factory presets in plain values; Vol's range is 0..2.
constexpr double PresetValues[6][5] = {
    {0.7, 0.5, 0.75, 1.0, 1},    {0.5, 0.5, 0.75, 1.0, 1},   {0.35, 0.431, 0.5, 1.0, 1},
    {0.676, 0.433, 1.0, 1.0, 1}, {0.44, 0.612, 1.0, 1.0, 1}, {0.5, 0.772, 1.0, 1.0, 1},
};

// Every normalised value the host can hand a control of each parameter in this test.
std::vector<std::set<double>> ValuesTheHostWrites() {
    std::vector<std::set<double>> values(5);
    for (int p = 0; p < 5; ++p) {
        for (float v : HostValues) {
            values[p].insert(v);
        }
        for (const auto& preset : PresetValues) {
            values[p].insert(p == Vol ? preset[p] / 2.0 : preset[p]);
        }
    }
    return values;
}

void HostChanges(EditorSession& session, const std::vector<std::vector<uint8_t>>& chunks,
                 const std::atomic<bool>& stop) {
    for (unsigned i = 0; !stop.load(); ++i) {
        if (i % 7 == 3) {
            session.host.SetProgram(static_cast<int>(i % 6));
        } else if (i % 11 == 5) {
            session.host.SetChunk(true, chunks[i % chunks.size()]);
        } else {
            session.host.SetParameter(static_cast<int>(i % 5), HostValues[(i / 5) % 5]);
        }
    }
}

} // namespace

TEST(EditorThreads, TheWindowSeesOnlyValuesTheHostWroteAndFinallyTheLastOnes) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    session.host.Open();
    std::vector<std::vector<uint8_t>> chunks;
    for (int preset : {2, 4}) {
        session.host.SetProgram(preset);
        chunks.push_back(session.host.GetChunk(true));
    }
    GraphicsContext& editor = session.Editor();
    const std::vector<std::set<double>> allowed = ValuesTheHostWrites();

    std::atomic<bool> stop{false};
    std::thread host([&] { HostChanges(session, chunks, stop); });
    int strangers = 0;
    for (int tick = 0; tick < Ticks; ++tick) {
        RedrawDirtyControls(editor);
        for (int p = 0; p < 5; ++p) {
            // Controls 1 to 5 are bound to parameters 0 to 4.
            strangers += allowed[p].count(editor.ControlAt(p + 1)->Value()) == 0 ? 1 : 0;
        }
    }
    stop = true;
    host.join();
    EXPECT_EQ(strangers, 0);

    RedrawDirtyControls(editor);
    RedrawDirtyControls(editor);
    const auto value = [&](EditorParam p) { return session.host.GetParameter(p); };
    const EditorFrames last{KnobFrame(value(Sensitivity)), KnobFrame(value(Time)),
                            KnobFrame(value(Depth)), KnobFrame(value(Vol)),
                            value(OnOff) >= 0.5f ? 2 : 1};
    const std::vector<uint32_t> expected = ReferenceEditor(last);
    int wrong = 0;
    for (int y = 0; y < 306; ++y) {
        for (int x = 0; x < 555; ++x) {
            wrong += session.CanvasRow(y)[x] != expected[size_t(y) * 555 + size_t(x)] ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0);
}
