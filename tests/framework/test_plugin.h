// A concrete plug-in over the base for driving it directly: the host-facing operations record
// what they are asked, and ParamChanged records the order of notifications.
#pragma once

#include "framework/plugin_core.h"

#include <vector>

struct TestIdentity {
    int parameterCount = 5;
    const char* channelString = "1-1 2-2";
    int presetCount = 6;
    const char* effectName = "Tester";
};

class TestPlugin : public PluginCore {
public:
    explicit TestPlugin(const TestIdentity& identity = TestIdentity())
        : PluginCore(PluginIdentity{identity.parameterCount, identity.channelString,
                                    identity.presetCount, identity.effectName, "", "maker",
                                    0x00010000, FourCharCode("Test"), FourCharCode("Mkr_")}) {}

    // Five continuous parameters 0..1 like the effect's, the last an integer switch.
    void InitFiveParams() {
        Param(0)->InitNumeric("Sensitivity", 0.7, 0.0, 1.0, 0.001, 1.0);
        Param(1)->InitNumeric("Time", 0.5, 0.0, 1.0, 0.001, 1.0);
        Param(2)->InitNumeric("Depth", 0.75, 0.0, 1.0, 0.001, 1.0);
        Param(3)->InitNumeric("Vol", 1.0, 0.0, 2.0, 0.001, 1.0);
        Param(4)->SetKind(ParamKindInteger);
        Param(4)->InitNumeric("OnOff", 1.0, 0.0, 1.0, 1.0, 1.0);
    }

    void ParamChanged(int index) override {
        PluginCore::ParamChanged(index);
        changed.push_back(index);
    }
    void PresetListChanged() override { ++presetListChanges; }

    void BeginParamEdit(int index) override { begun.push_back(index); }
    void AnnounceParamChange(int index, double normalised) override {
        announced.push_back({index, normalised});
    }
    void EndParamEdit(int index) override { ended.push_back(index); }
    void AnnounceProgramChange() override {}
    int HostSamplePosition() override { return 0; }
    double HostTempo() override { return 120.0; }
    void HostTimeSignature(int& numerator, int& denominator) override {
        numerator = 4;
        denominator = 4;
    }
    void HostTimeInfo(TransportInfo&) override {}
    void EditorSizeChanged(int, int) override {}
    bool SendMidiToHost(const MidiMessage& message) override {
        sentMidi.push_back(message);
        return true;
    }

    using PluginCore::SetHostIdentity;

    struct Announcement {
        int index;
        double normalised;
    };
    std::vector<int> changed;
    std::vector<int> begun;
    std::vector<int> ended;
    std::vector<Announcement> announced;
    std::vector<MidiMessage> sentMidi;
    int presetListChanges = 0;
};
