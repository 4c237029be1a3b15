#include "plugin/crescenda_parameters.h"

const ParamRow CrescendaParamTable[CrescendaParamCount] = {
    {ParamKindContinuous, "Sensitivity", 0.7, 0.0, 1.0, 0.001, 1.0},
    {ParamKindContinuous, "Time", 0.5, 0.0, 1.0, 0.001, 1.0},
    {ParamKindContinuous, "Depth", 0.75, 0.0, 1.0, 0.001, 1.0},
    {ParamKindContinuous, "Vol", 1.0, 0.0, 2.0, 0.001, 1.0},
    {ParamKindInteger, "OnOff", 1, 0, 1, 1.0, 1.0},
};

const FactoryPreset CrescendaFactoryPresets[CrescendaPresetCount] = {
    {"Init", {0.7, 0.5, 0.75, 1.0, 1}},
    {"Swell on Accent", {0.5, 0.5, 0.75, 1.0, 1}},
    {"Funked Swell", {0.35, 0.431, 0.5, 1.0, 1}},
    {"Arpeggio", {0.676, 0.433, 1.0, 1.0, 1}},
    {"Long Ambient Chords", {0.44, 0.612, 1.0, 1.0, 1}},
    {"Before Overdrive", {0.5, 0.772, 1.0, 1.0, 1}},
};

PluginIdentity CrescendaIdentity() {
    PluginIdentity identity{};
    identity.parameterCount = CrescendaParamCount;
    identity.channelString = "1-1 2-2";
    identity.presetCount = CrescendaPresetCount;
    identity.effectName = "Crescenda";
    identity.productName = "";
    identity.makerName = "quillmoss";
    identity.version = 0x00010000;
    identity.uniqueId = FourCharCode("Crsn");
    identity.makerCode = FourCharCode("Qlms");
    return identity;
}
