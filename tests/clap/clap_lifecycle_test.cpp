// The plug-in's life as CLAP hosts drive it: the entry's init and deinit (nested, repeated), the
// factory and descriptor, creation in a scanner's host that offers no extensions, activation and
// processing cycles at several rates, and two instances at once.
#include "tests/clap/clap_session.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

using namespace clap_test;

namespace {

bool AllFinite(const AudioBuffers<float>& buffers) {
    for (int c = 0; c < buffers.Channels(); ++c) {
        for (int i = 0; i < buffers.Frames(); ++i) {
            if (!std::isfinite(buffers.At(c, i))) {
                return false;
            }
        }
    }
    return true;
}

std::vector<std::string> Features(const clap_plugin_descriptor& descriptor) {
    std::vector<std::string> features;
    for (const char* const* f = descriptor.features; f != nullptr && *f != nullptr; ++f) {
        features.emplace_back(*f);
    }
    return features;
}

} // namespace

TEST(ClapLifecycle, TheFactoryDescribesOneCrescendaEffect) {
    ClapModule module;
    ASSERT_TRUE(module.Open(ClapPath())) << module.Error();
    const clap_plugin_factory* factory = module.PluginFactory();
    ASSERT_NE(factory, nullptr);
    EXPECT_EQ(factory->get_plugin_count(factory), 1u);
    EXPECT_EQ(module.Factory("no.such.factory"), nullptr);
    const clap_plugin_descriptor* descriptor = module.FirstDescriptor();
    ASSERT_NE(descriptor, nullptr);
    EXPECT_GE(descriptor->clap_version.major, 1u);
    EXPECT_STREQ(descriptor->name, "Crescenda");
    EXPECT_STREQ(descriptor->vendor, "quillmoss");
    // A reverse-DNS id under the vendor's name: "<tld>.quillmoss.<name>".
    const std::string id = descriptor->id;
    const size_t dot = id.find('.');
    EXPECT_TRUE(dot != std::string::npos && id.compare(dot, 11, ".quillmoss.") == 0 &&
                id.size() > dot + 11)
        << id;
    EXPECT_STREQ(descriptor->version, "1.0.0");
    ASSERT_NE(descriptor->features, nullptr);
    const std::vector<std::string> features = Features(*descriptor);
    for (const char* wanted : {"audio-effect", "mono", "stereo"}) {
        EXPECT_NE(std::find(features.begin(), features.end(), wanted), features.end()) << wanted;
    }
    ClapHostServices services;
    EXPECT_EQ(factory->create_plugin(factory, services.Host(), "com.quillmoss.nothing"), nullptr);
}

TEST(ClapLifecycle, InitAndDeinitNestAndRepeat) {
    // Hosts may call init again while initialised, and each init is matched by a deinit; the
    // library stays usable until the last deinit, and a second load starts afresh.
    for (int load = 0; load < 2; ++load) {
        ClapSession session;
        ASSERT_TRUE(session.Open(false));
        const clap_plugin_entry* entry = session.module.Entry();
        for (int extra = 0; extra < 3; ++extra) {
            EXPECT_TRUE(entry->init(ClapPath().c_str()));
        }
        for (int extra = 0; extra < 3; ++extra) {
            entry->deinit();
        }
        ClapHostServices secondHost;
        ClapInstance second(session.module, secondHost);
        EXPECT_TRUE(second.Create()) << second.Error();
        EXPECT_TRUE(second.Activate() && second.StartProcessing());
    }
}

TEST(ClapLifecycle, AScannersHostWithoutExtensionsGetsTheSameAnswers) {
    // qtractor_plugin_scan offers no host extension at all: init must still succeed, and the
    // ports, parameters, state and editor it reports must not change.
    const auto describe = [](bool offer) {
        ClapSession session;
        session.services.OfferExtensions(offer);
        EXPECT_TRUE(session.Open(false));
        std::ostringstream answers;
        for (bool input : {true, false}) {
            for (const clap_audio_port_info& port : session.instance.Ports(input)) {
                answers << (input ? "in " : "out ") << port.channel_count << " " << port.flags
                        << " " << (port.port_type != nullptr ? port.port_type : "-") << "; ";
            }
        }
        answers << session.instance.ParamInfos().size() << " params; ";
        answers << (session.instance.Extension<void>(CLAP_EXT_STATE) != nullptr) << " state; ";
        const auto* gui = session.instance.Extension<clap_plugin_gui>(CLAP_EXT_GUI);
        for (const char* api : {CLAP_WINDOW_API_X11, CLAP_WINDOW_API_WIN32}) {
            answers << api << " "
                    << (gui != nullptr &&
                        gui->is_api_supported(session.instance.Plugin(), api, false));
        }
        return answers.str();
    };
    EXPECT_EQ(describe(false), describe(true));
}

TEST(ClapLifecycle, TheDefaultLayoutIsOneStereoMainPortEachWay) {
    ClapSession session;
    ASSERT_TRUE(session.Open(false));
    for (bool input : {true, false}) {
        const std::vector<clap_audio_port_info> ports = session.instance.Ports(input);
        ASSERT_EQ(ports.size(), 1u) << (input ? "inputs" : "outputs");
        EXPECT_EQ(ports[0].channel_count, 2u);
        EXPECT_NE(ports[0].flags & CLAP_AUDIO_PORT_IS_MAIN, 0u);
        EXPECT_STREQ(ports[0].port_type, CLAP_PORT_STEREO);
    }
}

TEST(ClapLifecycle, ActivationAndProcessingCycleAtEveryRate) {
    ClapSession session;
    ASSERT_TRUE(session.Open(false));
    ClapInstance& instance = session.instance;
    ClapInputEvents events;
    ClapOutputEvents output;
    const std::uint32_t seed = 5;
    for (double rate : {44100.0, 48000.0, 96000.0, 22050.0, 192000.0}) {
        for (std::uint32_t maxFrames : {1u, 64u, 4096u}) {
            ASSERT_TRUE(instance.Activate(rate, 1, maxFrames)) << rate << " Hz";
            for (int run = 0; run < 2; ++run) {
                ASSERT_TRUE(instance.StartProcessing());
                AudioBuffers<float> io(2, static_cast<int>(maxFrames));
                const auto signal = battery::MakeSignal(battery::Signal::Noise, 2,
                                                        static_cast<int>(maxFrames), rate, seed);
                for (int c = 0; c < 2; ++c) {
                    std::copy(signal[c].begin(), signal[c].end(), io.Channel(c));
                }
                // In place, as Qtractor does, then a call with no frames.
                EXPECT_EQ(instance.Process(&io, &io, maxFrames, events, output),
                          CLAP_PROCESS_CONTINUE);
                EXPECT_TRUE(AllFinite(io)) << rate << " Hz, " << maxFrames << " frames";
                EXPECT_NE(instance.Process(&io, &io, 0, events, output), CLAP_PROCESS_ERROR);
                instance.Reset();
                instance.StopProcessing();
            }
            instance.Deactivate();
        }
    }
    EXPECT_EQ(session.services.Violations(), std::vector<std::string>{});
}

TEST(ClapLifecycle, TwoInstancesKeepTheirOwnSettings) {
    ClapSession session;
    ASSERT_TRUE(session.Open());
    ClapHostServices secondHost;
    ClapHostServices referenceHost;
    ClapInstance second(session.module, secondHost);
    ClapInstance reference(session.module, referenceHost);
    ASSERT_TRUE(CreateAndStart(second));
    ASSERT_TRUE(CreateAndStart(reference));
    const auto input = battery::MakeSignal(battery::Signal::Noise, 2, 2048, 44100.0, 9);
    // Double volume (the top of Vol) on the second only: its output is exactly twice the first's.
    const Stream<float> first = RenderClap(session.instance, input, 512, {});
    const Stream<float> loud = RenderClap(second, input, 512, {{0, "Vol", true}});
    for (size_t c = 0; c < 2; ++c) {
        for (size_t i = 0; i < first[c].size(); ++i) {
            ASSERT_EQ(loud[c][i], 2.f * first[c][i]) << "channel " << c << " frame " << i;
        }
    }
    // Ending one instance leaves the other exactly where an undisturbed one is.
    second.Destroy();
    RenderClap(reference, input, 512, {});
    EXPECT_EQ(Compare(RenderClap(reference, input, 512, {}),
                      RenderClap(session.instance, input, 512, {})),
              "");
}

TEST(ClapLifecycle, TheMonoConfigurationPlaysAsEachChannelOfTheStereoOne) {
    ClapSession stereo;
    ClapSession mono;
    ASSERT_TRUE(stereo.Open());
    ASSERT_TRUE(mono.Open(false));
    const auto* configs =
        mono.instance.Extension<clap_plugin_audio_ports_config>(CLAP_EXT_AUDIO_PORTS_CONFIG);
    ASSERT_NE(configs, nullptr);
    clap_id monoId = CLAP_INVALID_ID;
    for (std::uint32_t i = 0; i < configs->count(mono.instance.Plugin()); ++i) {
        clap_audio_ports_config config{};
        ASSERT_TRUE(configs->get(mono.instance.Plugin(), i, &config));
        if (config.has_main_input && config.main_input_channel_count == 1 &&
            config.has_main_output && config.main_output_channel_count == 1) {
            monoId = config.id;
        }
    }
    ASSERT_NE(monoId, CLAP_INVALID_ID) << "no 1 -> 1 configuration";
    ASSERT_TRUE(mono.instance.SelectPortsConfig(monoId));
    EXPECT_EQ(mono.instance.Ports(true)[0].channel_count, 1u);
    ASSERT_TRUE(mono.instance.Activate() && mono.instance.StartProcessing());
    EXPECT_FALSE(mono.instance.SelectPortsConfig(monoId)) << "a layout change while active";
    // The same signal on both stereo channels: each comes out as the mono one.
    const auto signal = battery::MakeSignal(battery::Signal::Square, 1, 4096, 44100.0, 2);
    const Stream<float> one = RenderClap(mono.instance, signal, 512, {});
    const Stream<float> two = RenderClap(stereo.instance, {signal[0], signal[0]}, 512, {});
    EXPECT_EQ(Compare({one[0], one[0]}, two), "");
}
