// The effect's identity, its parameter table and its factory presets, as the host sees them.
#pragma once

#include "framework/param_unit.h"
#include "framework/plugin_core.h"
#include "framework/plugin_param.h"

enum CrescendaParam {
    ParamSensitivity = 0,
    ParamTime = 1,
    ParamDepth = 2,
    ParamVol = 3,
    ParamOnOff = 4,
};

constexpr int CrescendaParamCount = 5;
constexpr int CrescendaPresetCount = 6;

// One row of the parameter table; the constructor creates the parameters from it in index order.
struct ParamRow {
    ParamKind kind;
    const char* name;
    double defaultValue;
    double minimum;
    double maximum;
    double step;
    double shape;
    const ParamUnit* unit; // how its texts read: shown, typed and in the hosts' lists
};

// Plain values (not normalised), one per parameter in index order.
struct FactoryPreset {
    const char* name;
    double values[CrescendaParamCount];
};

extern const ParamRow CrescendaParamTable[CrescendaParamCount];
extern const FactoryPreset CrescendaFactoryPresets[CrescendaPresetCount];

PluginIdentity CrescendaIdentity();
