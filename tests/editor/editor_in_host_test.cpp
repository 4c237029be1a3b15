// The editor requests of a host through the effect record, and the switch that decides whether
// the record announces an editor.
#include "editor_session.h"
#include "recording_graphics.h"

namespace {

int HasEditorFlag(EditorSession& session) {
    return session.host.Effect()->flags & effFlagsHasEditor;
}

} // namespace

TEST(EditorInHost, TheSizeIsReportedButNoEditorIsAnnouncedWhileNoWindowCanOpen) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    session.host.Open();
    EXPECT_EQ(HasEditorFlag(session), 0);
    ERect* rect = nullptr;
    ASSERT_EQ(session.host.Dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 306);
    EXPECT_EQ(rect->right, 555);
    int parent = 0;
    EXPECT_EQ(session.host.Dispatch(effEditOpen, 0, 0, &parent), 0);
    EXPECT_EQ(session.host.Dispatch(effEditClose), 1);
}

TEST(EditorInHost, TheEditorFlagFollowsWhetherTheWindowClassCanOpenWindows) {
    EditorSession session;
    ASSERT_TRUE(session.Created());
    auto* windowed = new RecordingGraphics(&session.Plugin(), true);
    session.Plugin().AttachEditor(windowed);
    EXPECT_NE(HasEditorFlag(session), 0);
    int parent = 0;
    EXPECT_EQ(session.host.Dispatch(effEditOpen, 0, 0, &parent), 1);
    EXPECT_TRUE(windowed->HasWindow());
    EXPECT_EQ(session.host.Dispatch(effEditClose), 1);
    EXPECT_FALSE(windowed->HasWindow());

    session.Plugin().AttachEditor(new RecordingGraphics(&session.Plugin(), false));
    EXPECT_EQ(HasEditorFlag(session), 0);
}

// The plug-in binary itself, loaded and unloaded twice by the bundled host: every instance lays
// out its editor from the images in the binary, and unloading releases the cached images (the
// leak checkers of the sanitizer build and of valgrind see this test).
TEST(EditorInHost, ThePluginBinaryReportsItsEditorAcrossLoadsAndUnloads) {
    for (int load = 0; load < 2; ++load) {
        PluginHost first;
        PluginHost second;
        ASSERT_TRUE(first.Load(DefaultPluginPath())) << first.LastError();
        ASSERT_TRUE(second.Load(DefaultPluginPath())) << second.LastError();
        for (PluginHost* host : {&first, &second}) {
            host->Open();
            ERect* rect = nullptr;
            ASSERT_EQ(host->Dispatch(effEditGetRect, 0, 0, &rect), 1);
            EXPECT_EQ(rect->right - rect->left, 555);
            EXPECT_EQ(rect->bottom - rect->top, 306);
        }
    }
}
