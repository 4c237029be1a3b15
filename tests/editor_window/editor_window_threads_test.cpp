// The editor window beside everything else a host does: parameters, state and audio from other
// threads while the window is open and idled, two instances' editors at once, and opening and
// closing many times. Under ThreadSanitizer this also shows that the window's work and the host's
// threads share no unguarded data; under valgrind, that no cycle leaks.
#include "editor_window_session.h"

#include <atomic>
#include <cstdlib>
#include <functional>
#include <random>
#include <thread>

using namespace editor_window;

namespace {

// Open and close cycles; CRESCENDA_EDITOR_CYCLES raises the count where cycles are cheap.
int CycleCount() {
    const char* chosen = std::getenv("CRESCENDA_EDITOR_CYCLES");
    return chosen != nullptr && std::atoi(chosen) > 0 ? std::atoi(chosen) : 50;
}

// Runs work(iteration) on a thread of its own until it goes out of scope, giving up the CPU after
// each so that under valgrind, which runs one thread at a time, the window's loop still gets it.
class Background {
public:
    explicit Background(std::function<void(unsigned)> work)
        : thread_([this, work] {
              for (unsigned i = 0; !stop_.load(); done_ = ++i) {
                  work(i);
                  std::this_thread::yield();
              }
          }) {}
    ~Background() {
        stop_ = true;
        thread_.join();
    }
    unsigned Done() const { return done_.load(); }

private:
    std::atomic<bool> stop_{false};
    std::atomic<unsigned> done_{0};
    std::thread thread_;
};

} // namespace

TEST_F(EditorWindow, ParametersSetFromAnotherThreadWhileTheLoopRunsShowOnScreen) {
    OpenAndShow();
    {
        Background setter([this](unsigned i) {
            editor.host.SetParameter(static_cast<int>(i % 5), static_cast<float>(i % 7) / 6.0f);
        });
        editor.Run(300);
    }
    editor.Run(TwoTicks);
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames()));
}

TEST_F(EditorWindow, OpeningTwiceInARowLeavesOneWorkingEditor) {
    ASSERT_EQ(editor.OpenEditor(), 1);
    ASSERT_EQ(editor.OpenEditor(), 1);
    editor.Run(TwoTicks);
    EXPECT_TRUE(editor.Shows(DefaultFrames));
    editor.Click(SwitchPoint);
    editor.Run(TwoTicks);
    EXPECT_EQ(editor.host.GetParameter(OnOff), 0.0f);
    EXPECT_EQ(editor.CloseEditor(), 1);
}

// Some hosts rebuild their plug-in window from inside the automate call. The gesture still ends,
// with the close if its release never came, so begin and end pair up.
TEST_F(EditorWindow, TheHostClosingTheEditorFromItsAutomateCallbackLeavesItWorking) {
    OpenAndShow();
    editor.host.SetCallHook([](PluginHost& host, const HostCall& call) {
        if (call.opcode == audioMasterAutomate) {
            host.Dispatch(effEditClose);
        }
    });
    editor.Click(SwitchPoint);
    editor.Run(TwoTicks);
    editor.host.SetCallHook(nullptr);
    EXPECT_EQ(editor.host.GetParameter(OnOff), 0.0f);
    EXPECT_EQ(editor.host.CountCalls(audioMasterBeginEdit), 1);
    EXPECT_EQ(editor.host.CountCalls(audioMasterEndEdit), 1);
    OpenAndShow();
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames()));
    editor.Click(SwitchPoint);
    editor.Run(TwoTicks);
    EXPECT_EQ(editor.host.GetParameter(OnOff), 1.0f);
    EXPECT_EQ(editor.host.CountCalls(audioMasterBeginEdit), 1);
    EXPECT_EQ(editor.host.CountCalls(audioMasterEndEdit), 1);
}

TEST_F(EditorWindow, TwoInstancesShowTheirOwnEditorsAndClosingOneLeavesTheOtherWorking) {
    EditorInWindow second;
    std::string error;
    ASSERT_TRUE(second.Start(error)) << error;
    second.host.SetParameter(Time, 0.8f);
    second.host.SetParameter(OnOff, 0.0f);
    ASSERT_EQ(editor.OpenEditor(), 1);
    ASSERT_EQ(second.OpenEditor(), 1);
    editor.Run(TwoTicks);
    second.Run(TwoTicks);
    EXPECT_TRUE(editor.Shows(DefaultFrames));
    EXPECT_TRUE(second.Shows(second.CurrentFrames()));

    EXPECT_EQ(editor.CloseEditor(), 1);
    second.Click(SwitchPoint);
    second.Run(TwoTicks);
    EXPECT_EQ(second.host.GetParameter(OnOff), 1.0f);
    EXPECT_TRUE(second.Shows(second.CurrentFrames()));
}

TEST_F(EditorWindow, TheEditorOpensAndClosesManyTimesAndStillShows) {
    for (int i = 0, cycles = CycleCount(); i < cycles; ++i) {
        ASSERT_EQ(editor.OpenEditor(), 1) << "cycle " << i;
        editor.Run(i % 2 == 0 ? 45 : 0);
        ASSERT_EQ(editor.CloseEditor(), 1) << "cycle " << i;
    }
    OpenAndShow();
    EXPECT_TRUE(editor.Shows(DefaultFrames));
}

// The field's validator opens the editor while another thread processes audio, sets random
// parameters or restores state, and expects both sides to carry on.
enum class Beside { AudioProcessing, RandomParameters, StateRestore };

class EditorWindowBeside : public EditorWindow, public testing::WithParamInterface<Beside> {
protected:
    std::function<void(unsigned)> Work() {
        if (GetParam() == Beside::AudioProcessing) {
            return [this](unsigned) { editor.host.ProcessFloat(in_, out_); };
        }
        if (GetParam() == Beside::RandomParameters) {
            return [this](unsigned) {
                editor.host.SetParameter(static_cast<int>(random_() % 5), unit_(random_));
            };
        }
        for (int preset : {2, 4}) {
            editor.host.SetProgram(preset);
            chunks_.push_back(editor.host.GetChunk(true));
        }
        return [this](unsigned i) { editor.host.SetChunk(true, chunks_[i % 2]); };
    }

    AudioBuffers<float> in_{2, 512};
    AudioBuffers<float> out_{2, 512};
    std::mt19937 random_{7};
    std::uniform_real_distribution<float> unit_{0.0f, 1.0f};
    std::vector<std::vector<uint8_t>> chunks_;
};

TEST_P(EditorWindowBeside, TheEditorOpensIdlesAndClosesWhileTheOtherThreadKeepsGoing) {
    {
        Background other(Work());
        for (int cycle = 0; cycle < 4; ++cycle) {
            const unsigned before = other.Done();
            ASSERT_EQ(editor.OpenEditor(), 1) << "cycle " << cycle;
            editor.Run(80);
            ASSERT_EQ(editor.CloseEditor(), 1) << "cycle " << cycle;
            EXPECT_GT(other.Done(), before) << "the other thread stood still in cycle " << cycle;
        }
    }
    OpenAndShow();
    EXPECT_TRUE(editor.Shows(editor.CurrentFrames()));
}

std::string BesideName(const testing::TestParamInfo<Beside>& info) {
    const char* names[] = {"AudioProcessing", "RandomParameters", "StateRestore"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Validator, EditorWindowBeside,
                         testing::Values(Beside::AudioProcessing, Beside::RandomParameters,
                                         Beside::StateRestore),
                         BesideName);
