// A test effect on the core, carried by the VST2 adapter: the effect's identity and parameter table
// with a rendering whose result changes if inputs are read after outputs were written.
//
// OnOff 0: the base's pass-through. OnOff 1: out[c][k] = Vol * in[c][k] + 0.25 * in[c'][n-1-k],
// c' the other channel, so every output sample depends on an input sample from the block's far
// end. Depth sets the latency to round(Depth * 1000) samples, so ParamChanged is visible to a host.
// Two deliberate faults let the real-time counters be checked: with Time at exactly 0.001 the
// rendering allocates, and with Sensitivity at exactly 0.999 the parameter handler (on the audio
// thread) takes the instance lock, which renaming the program "slow" holds for 200 ms.
#include "framework/plugin_core.h"
#include "framework/realtime_checks.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <new>
#include <thread>
#include <vector>

namespace {

constexpr PluginIdentity Identity{5,
                                  "1-1 2-2",
                                  6,
                                  "Crescenda",
                                  "",
                                  "quillmoss",
                                  0x00010000,
                                  FourCharCode("Crsn"),
                                  FourCharCode("Qlms")};

struct Row {
    const char* name;
    double defaultValue, minimum, maximum, step, shape;
};

constexpr Row Rows[] = {
    {"Sensitivity", 0.7, 0.0, 1.0, 0.001, 1.0}, {"Time", 0.5, 0.0, 1.0, 0.001, 1.0},
    {"Depth", 0.75, 0.0, 1.0, 0.001, 1.0},      {"Vol", 1.0, 0.0, 2.0, 0.001, 1.0},
    {"OnOff", 1.0, 0.0, 1.0, 1.0, 1.0},
};

constexpr double Presets[6][5] = {
    {0.7, 0.5, 0.75, 1.0, 1},    {0.5, 0.5, 0.75, 1.0, 1},   {0.35, 0.431, 0.5, 1.0, 1},
    {0.676, 0.433, 1.0, 1.0, 1}, {0.44, 0.612, 1.0, 1.0, 1}, {0.5, 0.772, 1.0, 1.0, 1},
};
constexpr const char* PresetNames[6] = {"Init",     "Swell on Accent",     "Funked Swell",
                                        "Arpeggio", "Long Ambient Chords", "Before Overdrive"};

constexpr double SlowSensitivity = 0.999;
constexpr double AllocatingTime = 0.001;

class TestEffect : public PluginCore {
public:
    TestEffect() : PluginCore(Identity) {
        for (int i = 0; i < 5; ++i) {
            if (i == 4) {
                Param(i)->SetKind(ParamKindInteger);
            }
            const Row& row = Rows[i];
            Param(i)->InitNumeric(row.name, row.defaultValue, row.minimum, row.maximum, row.step,
                                  row.shape);
        }
        for (int i = 0; i < 6; ++i) {
            AddPreset(PresetNames[i], Presets[i]);
        }
    }

    void ParamChanged(int index) override {
        if (index == 0 && Param(0)->Value() == SlowSensitivity) {
            RealtimeChecks::TakeLock(Lock());
            Lock().Leave();
        }
        if (index == 2) {
            SetLatencySamples(static_cast<int>(std::lround(Param(2)->Value() * 1000.0)));
        }
    }

    void PresetListChanged() override {
        if (std::strcmp(PresetName(CurrentPreset()), "slow") == 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }

    // audio thread
    void RenderDouble(double** inputs, double** outputs, int frames) override {
        if (Param(4)->Value() < 0.5) {
            PluginCore::RenderDouble(inputs, outputs, frames);
            return;
        }
        if (Param(1)->Value() == AllocatingTime) {
            std::vector<double> waste(static_cast<size_t>(frames) + 1);
            waste[0] = inputs[0][0];
            outputs[0][0] = waste[0];
        }
        const double volume = Param(3)->Value();
        for (int c = 0; c < 2; ++c) {
            const double* own = inputs[c];
            const double* other = inputs[1 - c];
            double* out = outputs[c];
            for (int k = 0; k < frames; ++k) {
                out[k] = volume * own[k] + 0.25 * other[frames - 1 - k];
            }
        }
    }
};

} // namespace

PluginCore* CreatePluginInstance() {
    return new (std::nothrow) TestEffect();
}
