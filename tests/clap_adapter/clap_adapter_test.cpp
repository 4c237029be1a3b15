// What the host battery does not reach: parameter events at their sample offsets, the editor's
// gestures as output events, the state stream's exact bytes and refusals, the latency restart.
#include "clap/clap_plugin.h"
#include "clap_session.h"
#include "editor/graphics_context.h"

#include <cmath>

namespace {

enum Param : clap_id { Sensitivity = 0, Time = 1, Depth = 2, Vol = 3, OnOff = 4 };

struct MemoryStream {
    std::vector<unsigned char> bytes;
    size_t position = 0;
    std::uint64_t readLimit = ~std::uint64_t{0}; // bytes per read call
    clap_ostream out{this, [](const clap_ostream* s, const void* data, std::uint64_t size) {
                         auto* self = static_cast<MemoryStream*>(s->ctx);
                         const auto* p = static_cast<const unsigned char*>(data);
                         self->bytes.insert(self->bytes.end(), p, p + size);
                         return static_cast<std::int64_t>(size);
                     }};
    clap_istream in{this, [](const clap_istream* s, void* data, std::uint64_t size) {
                        auto* self = static_cast<MemoryStream*>(s->ctx);
                        const size_t left = self->bytes.size() - self->position;
                        const size_t n = static_cast<size_t>(
                            std::min<std::uint64_t>({size, left, self->readLimit}));
                        std::memcpy(data, self->bytes.data() + self->position, n);
                        self->position += n;
                        return static_cast<std::int64_t>(n);
                    }};
};

// The program chunk as its format is written down: "tffp", version 1.0.0 little-endian, then each
// value as a little-endian IEEE double.
std::vector<unsigned char> ProgramChunk(const std::vector<double>& values) {
    std::vector<unsigned char> bytes{'t', 'f', 'f', 'p', 0x00, 0x00, 0x01, 0x00};
    for (double v : values) {
        unsigned char raw[8];
        std::memcpy(raw, &v, 8);
        bytes.insert(bytes.end(), raw, raw + 8);
    }
    return bytes;
}

void Flush(ClapSession& session, EventLists& events) {
    session.Extension<clap_plugin_params>(CLAP_EXT_PARAMS)
        ->flush(session.Plugin(), &events.input, &events.output);
}

} // namespace

// With Depth 0 the swell is mixed out and the look-ahead is 0, so every output sample is the
// input times the Vol in force at that sample.
TEST(ClapProcess, ParameterEventsTakeEffectAtTheirSampleOffsets) {
    ClapSession session;
    ASSERT_TRUE(session.Activate());
    struct Change {
        std::uint32_t at;
        double vol;
    };
    const Change changes[] = {{1, 0.5}, {256, 0.25}, {511, 2.0}};
    EventLists events;
    events.AddValue(0, Depth, 0.0);
    for (const Change& change : changes) {
        events.AddValue(change.at, Vol, change.vol);
    }
    std::vector<float> left(512, 0.5f);
    std::vector<float> right(512, -0.25f);
    session.Process(left, right, events);
    for (std::uint32_t k = 0; k < 512; ++k) {
        double vol = 1.0;
        for (const Change& change : changes) {
            vol = k >= change.at ? change.vol : vol;
        }
        ASSERT_EQ(left[k], static_cast<float>(0.5 * vol)) << k;
        ASSERT_EQ(right[k], static_cast<float>(-0.25 * vol)) << k;
    }
    EXPECT_EQ(session.Value(Vol), 2.0);
}

// The editor's drag, flushed while the host is not processing: begin, the values the parameter
// took, end; and the instance asked for that flush.
TEST(ClapParams, AnEditorGestureLeavesAsBeginValuesEndThroughFlush) {
    ClapSession session;
    auto* plugin = static_cast<ClapPlugin*>(session.Plugin()->plugin_data);
    GraphicsContext& editor = *EditorOf(plugin->Core());
    editor.HandlePress(133, 167, MouseKeys{});
    editor.HandleDrag(133, 147, MouseKeys{});
    editor.HandleDrag(133, 127, MouseKeys{});
    editor.HandleRelease(133, 127, MouseKeys{});
    session.Plugin()->on_main_thread(session.Plugin());
    EXPECT_EQ(session.recorder.flushRequests, 1);

    EventLists events;
    Flush(session, events);
    ASSERT_EQ(events.out.size(), 4u);
    EXPECT_EQ(events.Out(0).type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
    EXPECT_EQ(events.Out(1).type, CLAP_EVENT_PARAM_VALUE);
    EXPECT_EQ(events.Out(2).type, CLAP_EVENT_PARAM_VALUE);
    EXPECT_EQ(events.Out(3).type, CLAP_EVENT_PARAM_GESTURE_END);
    const auto& last = reinterpret_cast<const clap_event_param_value&>(events.Out(2));
    EXPECT_EQ(last.param_id, Time);
    EXPECT_EQ(last.value, session.Value(Time));
    EXPECT_GT(last.value, 0.5); // dragged up from the default
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(reinterpret_cast<const clap_event_param_gesture&>(events.Out(i)).param_id, Time);
    }
}

TEST(ClapState, TheStateIsTheProgramChunkAndDamagedStreamsChangeNothing) {
    ClapSession session;
    EventLists set;
    set.AddValue(0, Sensitivity, 0.25);
    set.AddValue(0, OnOff, 0.0);
    Flush(session, set);
    const auto* state = session.Extension<clap_plugin_state>(CLAP_EXT_STATE);
    MemoryStream saved;
    ASSERT_TRUE(state->save(session.Plugin(), &saved.out));
    const std::vector<unsigned char> expected = ProgramChunk({0.25, 0.5, 0.75, 1.0, 0.0});
    EXPECT_EQ(saved.bytes, expected);

    std::vector<unsigned char> otherValues = ProgramChunk({0.9, 0.1, 0.2, 1.5, 1.0});
    struct Damage {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<unsigned char> foreign = otherValues;
    foreign[0] = 'x';
    const Damage damaged[] = {
        {"empty", {}},
        {"one value short", {otherValues.begin(), otherValues.end() - 8}},
        {"one byte short", {otherValues.begin(), otherValues.end() - 1}},
        {"one byte over",
         [&] {
             auto b = otherValues;
             b.push_back(0);
             return b;
         }()},
        {"foreign magic", foreign},
        {"no header", {otherValues.begin() + 8, otherValues.end()}},
    };
    for (const Damage& damage : damaged) {
        MemoryStream stream;
        stream.bytes = damage.bytes;
        EXPECT_FALSE(state->load(session.Plugin(), &stream.in)) << damage.what;
        EXPECT_EQ(session.Value(Sensitivity), 0.25) << damage.what;
        EXPECT_EQ(session.Value(Vol), 1.0) << damage.what;
    }

    MemoryStream trickle; // a host that hands over one byte per read
    trickle.bytes = otherValues;
    trickle.readLimit = 1;
    ASSERT_TRUE(state->load(session.Plugin(), &trickle.in));
    EXPECT_EQ(session.Value(Sensitivity), 0.9);
    EXPECT_EQ(session.Value(Vol), 1.5);
}

// The default Depth gives the look-ahead trunc(1500 * cbrt(0.75)) = 1362 samples.
TEST(ClapLatency, AChangeWhileActiveAsksForARestartAndShowsAtTheNextActivation) {
    ClapSession session;
    const auto* latency = session.Extension<clap_plugin_latency>(CLAP_EXT_LATENCY);
    const auto lookAhead = static_cast<std::uint32_t>(std::trunc(1500.0 * std::cbrt(0.75)));
    ASSERT_TRUE(session.Activate());
    EXPECT_EQ(latency->get(session.Plugin()), lookAhead);

    EventLists events;
    events.AddValue(0, OnOff, 0.0);
    std::vector<float> left(64, 0.0f);
    std::vector<float> right(64, 0.0f);
    session.Process(left, right, events);
    EXPECT_EQ(session.recorder.restartRequests, 1);
    EXPECT_EQ(latency->get(session.Plugin()), lookAhead); // fixed while active

    session.Plugin()->stop_processing(session.Plugin());
    session.Plugin()->deactivate(session.Plugin());
    EXPECT_EQ(session.recorder.latencyChanges, 0);
    ASSERT_TRUE(session.Activate());
    EXPECT_EQ(latency->get(session.Plugin()), 0u);
    EXPECT_EQ(session.recorder.latencyChanges, 1); // told from inside activate
}
