// The dispatcher's answers to the requests a host sends, opcode by opcode.
#include "vst2_test_support.h"

#include <cstring>

using Dispatcher = LoadedPlugin;

TEST_F(Dispatcher, FixedAnswersIdentifyTheEffect) {
    EXPECT_EQ(host.Dispatch(effIdentify), 0x4E764566);
    EXPECT_EQ(host.Dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(host.Dispatch(effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ(host.Dispatch(effGetTailSize), 0);
    EXPECT_EQ(host.Dispatch(effCanBeAutomated, 3), 1);
    EXPECT_EQ(host.Dispatch(effCanBeAutomated, 99), 1);
}

TEST_F(Dispatcher, NamesAreTheEffectsAndVendors) {
    EXPECT_EQ(host.EffectName(), "Crescenda");
    EXPECT_EQ(host.DispatchText(effGetVendorString), "quillmoss");
    EXPECT_EQ(host.DispatchText(effGetProductString), "");
    EXPECT_EQ(host.Dispatch(effGetEffectName), 0); // no buffer
    EXPECT_EQ(host.Dispatch(effGetVendorString), 0);
    EXPECT_EQ(host.Dispatch(effGetProductString), 0);
    char buffer[64];
    EXPECT_EQ(host.Dispatch(effGetProductString, 0, 0, buffer), 1);
}

TEST_F(Dispatcher, OpcodesWithoutAnActionAnswerZero) {
    const VstInt32 opcodes[] = {effGetVu,
                                effEditIdle,
                                effProcessVarIo,
                                effIdle,
                                effGetVendorVersion,
                                effSetBypass,
                                effGetNumProgramCategories,
                                70,
                                71,
                                77,
                                1000,
                                -1};
    for (VstInt32 opcode : opcodes) {
        EXPECT_EQ(host.Dispatch(opcode), 0) << "opcode " << opcode;
    }
}

TEST_F(Dispatcher, NoEditorIsAttachedSoTheEditorRequestsAnswerZero) {
    ERect* rect = nullptr;
    EXPECT_EQ(host.Dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(host.Dispatch(effEditOpen), 0);
    EXPECT_EQ(host.Dispatch(effEditClose), 0);
    EXPECT_EQ(Effect()->flags & effFlagsHasEditor, 0);
}

TEST_F(Dispatcher, ParameterTextsComeFromTheParameters) {
    const char* names[5] = {"Sensitivity", "Time", "Depth", "Vol", "OnOff"};
    const char* displays[5] = {"0.700", "0.500", "0.750", "1.000", "1"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(host.ParamName(i), names[i]);
        EXPECT_EQ(host.ParamDisplay(i), displays[i]);
        EXPECT_EQ(host.ParamLabel(i), "");
    }
}

TEST_F(Dispatcher, ParameterTextRequestsOutsideTheListWriteNothing) {
    for (VstInt32 opcode : {effGetParamName, effGetParamDisplay, effGetParamLabel}) {
        char buffer[32];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(host.Dispatch(opcode, 5, 0, buffer), 0);
        EXPECT_EQ(host.Dispatch(opcode, -1, 0, buffer), 0);
        EXPECT_EQ(buffer[0], 'x');
    }
}

TEST_F(Dispatcher, TextRequestsWithoutABufferAnswerZeroAndDoNotCrash) {
    for (VstInt32 opcode : {effGetParamName, effGetParamDisplay, effGetParamLabel,
                            effGetProgramNameIndexed, effGetProgramName}) {
        EXPECT_EQ(host.Dispatch(opcode, 0, 0, nullptr), 0) << "opcode " << opcode;
    }
}

// Hosts pass buffers as small as the interface's sizes; bytes after them must survive.
TEST_F(Dispatcher, TextsFitTheSmallestBuffersHostsPass) {
    struct Case {
        VstInt32 opcode;
        VstInt32 index;
        size_t size;
    };
    // A long preset name first, so program names need cutting.
    const std::string longName(300, 'n');
    host.Dispatch(effSetProgramName, 0, 0, const_cast<char*>(longName.c_str()));
    host.SetParameter(3, 0.123456f);
    for (const Case& c : {Case{effGetProgramName, 0, 24}, Case{effGetProgramNameIndexed, 0, 24},
                          Case{effGetEffectName, 0, 32}, Case{effGetVendorString, 0, 64},
                          Case{effGetProductString, 0, 64}, Case{effGetParamName, 0, 32},
                          Case{effGetParamLabel, 3, 8}, Case{effGetParamDisplay, 3, 8}}) {
        std::vector<char> buffer(c.size + 16, '#');
        host.Dispatch(c.opcode, c.index, 0, buffer.data());
        for (size_t k = c.size; k < buffer.size(); ++k) {
            ASSERT_EQ(buffer[k], '#') << "opcode " << c.opcode << " wrote past " << c.size;
        }
        EXPECT_NE(std::memchr(buffer.data(), '\0', c.size), nullptr) << "opcode " << c.opcode;
    }
    EXPECT_EQ(host.ProgramName(), std::string(23, 'n'));
}

TEST_F(Dispatcher, CapabilitiesAreExactAndCaseSensitive) {
    auto canDo = [&](const char* text) {
        return host.Dispatch(effCanDo, 0, 0, const_cast<char*>(text));
    };
    EXPECT_EQ(canDo("receiveVstTimeInfo"), 1);
    EXPECT_EQ(canDo("receivevsttimeinfo"), 0);
    EXPECT_EQ(canDo("receiveVstTimeInfo "), 0);
    EXPECT_EQ(canDo("receiveVstEvents"), 0);
    EXPECT_EQ(canDo("receiveVstMidiEvent"), 0);
    EXPECT_EQ(canDo("sendVstEvents"), 0);
    EXPECT_EQ(canDo("sendVstMidiEvent"), 0);
    EXPECT_EQ(canDo("bypass"), 0);
    EXPECT_EQ(host.Dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, PinsReportStereoPairsAndNumberedLabels) {
    VstPinProperties pin{};
    ASSERT_EQ(host.Dispatch(effGetInputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Input 1");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    ASSERT_EQ(host.Dispatch(effGetInputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Input 2");
    EXPECT_EQ(pin.flags, kVstPinIsActive);
    ASSERT_EQ(host.Dispatch(effGetOutputProperties, 0, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Output 1");
    EXPECT_EQ(pin.flags, kVstPinIsActive | kVstPinIsStereo);
    ASSERT_EQ(host.Dispatch(effGetOutputProperties, 1, 0, &pin), 1);
    EXPECT_STREQ(pin.label, "Output 2");
    EXPECT_EQ(host.Dispatch(effGetInputProperties, 2, 0, &pin), 0);
    EXPECT_EQ(host.Dispatch(effGetOutputProperties, -1, 0, &pin), 0);
    EXPECT_EQ(host.Dispatch(effGetInputProperties, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, SpeakerArrangementsAreStereoAndStayWhenTheHostSetsOthers) {
    VstSpeakerArrangement* in = nullptr;
    VstSpeakerArrangement* out = nullptr;
    ASSERT_EQ(host.Dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out),
              1);
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(in->type, kSpeakerArrStereo);
    EXPECT_EQ(in->numChannels, 2);
    EXPECT_EQ(out->type, kSpeakerArrStereo);
    EXPECT_EQ(out->numChannels, 2);
    VstSpeakerArrangement mono{kSpeakerArrMono, 1, {}};
    EXPECT_EQ(host.Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&mono), &mono),
              1);
    EXPECT_EQ(in->numChannels, 2);
    EXPECT_EQ(Effect()->numInputs, 2);
    EXPECT_EQ(host.Dispatch(effSetSpeakerArrangement, 0, 0, nullptr), 1);
    EXPECT_EQ(host.Dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 1);
}

TEST_F(Dispatcher, VendorFormatsANormalisedValueWithoutChangingTheParameter) {
    char text[32] = "untouched";
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 7, 3, text, 0.25f), 0xBEEF);
    EXPECT_STREQ(text, "0.500");
    EXPECT_FLOAT_EQ(host.GetParameter(3), 0.5f);
    std::strcpy(text, "untouched");
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 7, 99, text, 0.25f), 0xBEEF);
    EXPECT_STREQ(text, "untouched");
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 7, 3, nullptr, 0.25f), 0);
}

TEST_F(Dispatcher, VendorTellsWhichParametersStep) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(host.Dispatch(effVendorSpecific, 8, i), 0) << i;
    }
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 8, 4), 0xBEEF);
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 8, 5), 0);
    EXPECT_EQ(host.Dispatch(effVendorSpecific, 9, 4), 0);
}

// Text outside the range or not a number is refused and the value kept.
TEST_F(Dispatcher, TypedValuesSetParametersInTheirOwnUnitsWithinTheRange) {
    auto type = [&](int index, const char* text) {
        return host.Dispatch(effString2Parameter, index, 0, const_cast<char*>(text));
    };
    EXPECT_EQ(type(3, "1.5"), 1);
    EXPECT_EQ(host.ParamDisplay(3), "1.500");
    for (const char* refused : {"7", "-3", "loud", "1.5 dB"}) {
        EXPECT_EQ(type(3, refused), 0) << refused;
        EXPECT_EQ(host.ParamDisplay(3), "1.500") << refused;
    }
    EXPECT_EQ(type(0, "0.1234"), 1); // not snapped to the step
    EXPECT_FLOAT_EQ(host.GetParameter(0), 0.1234f);
    EXPECT_EQ(type(2, "0.25"), 1);
    ProcessABlock();
    EXPECT_EQ(Effect()->initialDelay, 250); // the effect was told at the next block
    EXPECT_EQ(type(5, "1"), 0);
    EXPECT_EQ(type(-1, "1"), 0);
    EXPECT_EQ(host.Dispatch(effString2Parameter, 3, 0, nullptr), 1);
}

TEST_F(Dispatcher, TypedNotANumberOrInfinityIsRefused) {
    auto type = [&](const char* text) {
        return host.Dispatch(effString2Parameter, 3, 0, const_cast<char*>(text));
    };
    host.SetParameter(3, 0.25f);
    for (const char* text : {"nan", "NaN", "-nan", "inf", "-inf", "infinity", "1e999"}) {
        EXPECT_EQ(type(text), 0) << text;
        EXPECT_FLOAT_EQ(host.GetParameter(3), 0.25f) << text;
    }
}

TEST_F(Dispatcher, EventsGoToTheBaseWhichEchoesMidiToTheHost) {
    VstMidiEvent note{};
    note.type = kVstMidiType;
    note.byteSize = sizeof note;
    note.deltaFrames = 5;
    note.midiData[0] = static_cast<char>(0x90);
    note.midiData[1] = 60;
    note.midiData[2] = 100;
    VstMidiSysexEvent sysex{};
    sysex.type = kVstSysExType;
    sysex.byteSize = sizeof sysex;
    struct {
        VstInt32 numEvents;
        VstIntPtr reserved;
        VstEvent* events[4];
    } events{4,
             0,
             {nullptr, reinterpret_cast<VstEvent*>(&note), reinterpret_cast<VstEvent*>(&sysex),
              reinterpret_cast<VstEvent*>(&note)}};
    host.ClearCalls();
    EXPECT_EQ(host.Dispatch(effProcessEvents, 0, 0, &events), 1);
    EXPECT_EQ(host.CountCalls(audioMasterProcessEvents), 2); // the two MIDI events, not the sysex
    EXPECT_EQ(host.Dispatch(effProcessEvents, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, MidiKeyNamesAreEmpty) {
    MidiKeyName key{};
    key.thisKeyNumber = 60;
    std::strcpy(key.keyName, "old");
    EXPECT_EQ(host.Dispatch(effGetMidiKeyName, 0, 0, &key), 0);
    EXPECT_STREQ(key.keyName, "");
    EXPECT_EQ(host.Dispatch(effGetMidiKeyName, 0, 0, nullptr), 0);
}

TEST_F(Dispatcher, BadSampleRatesAndBlockSizesKeepTheOldOnes) {
    Open(64);
    host.Dispatch(effSetSampleRate, 0, 0, nullptr, 0.0f);
    host.Dispatch(effSetSampleRate, 0, 0, nullptr, -48000.0f);
    host.Dispatch(effSetBlockSize, 0, 0);
    host.Dispatch(effSetBlockSize, 0, -5);
    host.Dispatch(effSetBlockSize, 0, VstIntPtr(1) << 40);
    // Still processes blocks of the announced 64 frames.
    AudioBuffers<float> in(2, 64), out(2, 64);
    FillSignal(in);
    ASSERT_TRUE(host.ProcessFloat(in, out));
    EXPECT_NE(out.At(0, 10), 0.0f);
}

TEST_F(Dispatcher, MainsOffAndOnAndASecondOpenKeepTheInstanceWorking) {
    Open(64);
    host.MainsChanged(false);
    host.MainsChanged(true);
    host.Dispatch(effOpen);
    AudioBuffers<float> in(2, 64), out(2, 64);
    FillSignal(in);
    ASSERT_TRUE(host.ProcessFloat(in, out));
    EXPECT_NE(out.At(1, 1), 0.0f);
}
