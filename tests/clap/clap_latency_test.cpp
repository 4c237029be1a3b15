// Latency through the CLAP latency extension: the look-ahead (trunc(1500 * cbrt(Depth)) samples
// while on, 0 while off) reported at activation; a change that moves it while active asks the
// host for a restart, and the host learns the new value when it activates again. latency.changed
// is only ever called from inside activate.
#include "host/clap/clap_host_loop.h"
#include "tests/clap/clap_session.h"

#include <cmath>

using namespace clap_test;

namespace {

std::uint32_t LookAhead(double depth) {
    return static_cast<std::uint32_t>(1500.0 * std::cbrt(depth));
}

// Sends one change in a processed block, then lets the host loop answer what the plug-in asked.
void SendChange(ClapSession& session, const char* param, bool toMax) {
    AudioBuffers<float> io(2, 64);
    ClapInputEvents events;
    ClapOutputEvents output;
    const clap_param_info info = ParamNamed(session.instance, param);
    events.Add(ParamValueEvent(10, info.id, toMax ? info.max_value : info.min_value).header);
    session.instance.Process(&io, &io, 64, events, output);
    ClapHostLoop(session.instance, session.services).Run(20);
}

} // namespace

TEST(ClapLatency, TheDefaultLatencyIsTheLookAheadOfTheDefaultDepth) {
    ClapSession session;
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(session.instance.Latency(), LookAhead(0.75));
    EXPECT_EQ(session.instance.Latency(), 1362u);
}

TEST(ClapLatency, AChangeThatMovesItAsksForARestartAndShowsAtTheNextActivation) {
    ClapSession session;
    ASSERT_TRUE(session.Open());
    struct Step {
        const char* param;
        bool toMax;
        std::uint32_t latency; // after the restart
        bool restart;          // whether the change moves the latency
    };
    const Step steps[] = {
        {"Depth", true, LookAhead(1.0), true},
        {"Vol", true, LookAhead(1.0), false},
        {"OnOff", false, 0, true},
        {"Depth", false, 0, false},
        {"OnOff", true, LookAhead(0.0), false},
        {"Depth", true, LookAhead(1.0), true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.param) + (step.toMax ? " to its top" : " to its bottom"));
        session.services.ClearCounts();
        SendChange(session, step.param, step.toMax);
        EXPECT_EQ(session.services.Count(ClapRequest::Restart) > 0, step.restart);
        if (session.services.Count(ClapRequest::Restart) > 0) {
            ASSERT_TRUE(session.instance.Restart());
        }
        EXPECT_EQ(session.instance.Latency(), step.latency);
    }
    EXPECT_EQ(session.services.Violations(), std::vector<std::string>{});
}

TEST(ClapLatency, AHostThatRestartsInsideTheRequestGetsTheNewLatency) {
    // Qtractor rebuilds the instance inside request_restart when it comes from outside the audio
    // thread; a flush on the main thread while active is such a place.
    ClapSession session;
    ASSERT_TRUE(session.Open(false));
    ASSERT_TRUE(session.instance.Activate());
    session.services.SetRequestHook([&](ClapRequest request) {
        if (request == ClapRequest::Restart && !ClapHostServices::OnAudioThread()) {
            session.instance.Restart();
        }
    });
    ClapInputEvents events;
    ClapOutputEvents output;
    const clap_param_info depth = ParamNamed(session.instance, "Depth");
    events.Add(ParamValueEvent(0, depth.id, depth.max_value).header);
    session.instance.Flush(events, output);
    ClapHostLoop(session.instance, session.services).Run(20);
    session.services.SetRequestHook({});
    EXPECT_EQ(session.instance.Latency(), LookAhead(1.0));
    EXPECT_TRUE(session.instance.Active());
    EXPECT_EQ(session.services.Violations(), std::vector<std::string>{});
}
