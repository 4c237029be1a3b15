// The musician's units the framework offers its parameters (ParamUnit).
#pragma once

#include "framework/param_unit.h"

// A switch: "off" below 0.5 and "on" from there (a stored switch is 0 or 1; an unsnapped host
// value reads as the one it would set). Reads on, off, 1 and 0.
class OnOffUnit final : public ParamUnit {
public:
    void Format(double plain, char* text, int size) const override;
    const char* Label() const override { return ""; }
    bool Parse(const char* text, double& plain) const override;
    const char* Reads() const override { return "on or off"; }
};

// A fraction 0..1 shown in percent with one decimal ("70.0" and "%"): one decimal is the 0.001
// step of the parameters that use it. Reads a number, with or without "%".
class PercentUnit final : public ParamUnit {
public:
    void Format(double plain, char* text, int size) const override;
    const char* Label() const override { return "%"; }
    bool Parse(const char* text, double& plain) const override;
    const char* Reads() const override { return "a percentage"; }
};

// A time on a logarithmic knob: plain p (0..1) is lowest · 10^(decades · p) seconds. Shown with
// three decimals below 0.1 s, two below 10 s and one from there ("0.010", "0.32", "10.0");
// reads seconds (alone, "s", "sec") and milliseconds ("ms").
class DecadeSecondsUnit final : public ParamUnit {
public:
    DecadeSecondsUnit(double lowestSeconds, double decades)
        : lowest_(lowestSeconds), decades_(decades) {}
    void Format(double plain, char* text, int size) const override;
    const char* Label() const override { return "s"; }
    bool Parse(const char* text, double& plain) const override;
    const char* Reads() const override { return "a time"; }

private:
    double lowest_;
    double decades_;
};

// A linear gain (1 = unity) shown in decibels, 20 · log10(gain), with one decimal and a sign:
// "+6.0", "-12.5", "0.0" at unity and "-inf" for silence. Reads decibels, alone or with "dB".
class DecibelGainUnit final : public ParamUnit {
public:
    void Format(double plain, char* text, int size) const override;
    const char* Label() const override { return "dB"; }
    bool Parse(const char* text, double& plain) const override;
    const char* Reads() const override { return "a level"; }
};
