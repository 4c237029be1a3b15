#include "plugin/crescenda_parameters.h"

#include "framework/param_units.h"

namespace {

// Sensitivity and Depth are proportions with no physical unit (the threshold is relative to the
// detector's own level; Depth sets the swell's mix and the look-ahead together), so they read in
// percent. Time is 10^(3v - 2) seconds, as the swell's rise length takes it.
const PercentUnit Proportion;
const DecadeSecondsUnit Seconds(0.01, 3.0);
const DecibelGainUnit Level;
const OnOffUnit Switch;

} // namespace

const ParamRow CrescendaParamTable[CrescendaParamCount] = {
    {ParamKindContinuous, "Sensitivity", 0.7, 0.0, 1.0, 0.001, 1.0, &Proportion},
    {ParamKindContinuous, "Time", 0.5, 0.0, 1.0, 0.001, 1.0, &Seconds},
    {ParamKindContinuous, "Depth", 0.75, 0.0, 1.0, 0.001, 1.0, &Proportion},
    {ParamKindContinuous, "Vol", 1.0, 0.0, 2.0, 0.001, 1.0, &Level},
    {ParamKindInteger, "OnOff", 1, 0, 1, 1.0, 1.0, &Switch},
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
