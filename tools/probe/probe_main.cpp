// crescenda-probe [plugin path]: loads a VST 2.4 plug-in (by default the one beside this tool) the
// way a host does, prints its effect record and the peak of processed blocks of a sine.
#include "host/plugin_host.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kSampleRate = 44100.0;
constexpr int kBlockSize = 512;
constexpr double kSineHz = 440.0;
constexpr float kSineAmplitude = 0.5f;
constexpr int kMaxBlocks = 1000;

std::string FourChars(VstInt32 id) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((static_cast<uint32_t>(id) >> shift) & 0xFF);
        text += (c >= 32 && c < 127) ? c : '.';
    }
    return text;
}

std::string FlagNames(VstInt32 flags) {
    struct Flag {
        VstInt32 bit;
        const char* name;
    };
    static const Flag kFlags[] = {
        {effFlagsHasEditor, "HasEditor"},
        {effFlagsCanMono, "CanMono"},
        {effFlagsCanReplacing, "CanReplacing"},
        {effFlagsProgramChunks, "ProgramChunks"},
        {effFlagsIsSynth, "IsSynth"},
        {effFlagsNoSoundInStop, "NoSoundInStop"},
        {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
    };
    std::string names;
    VstInt32 known = 0;
    for (const Flag& flag : kFlags) {
        known |= flag.bit;
        if ((flags & flag.bit) != 0) {
            names += names.empty() ? "" : " | ";
            names += flag.name;
        }
    }
    if ((flags & ~known) != 0) {
        char rest[32];
        std::snprintf(rest, sizeof(rest), "0x%x", static_cast<unsigned>(flags & ~known));
        names += names.empty() ? "" : " | ";
        names += rest;
    }
    return names.empty() ? "none" : names;
}

void PrintRecord(PluginHost& host) {
    const AEffect& e = *host.Effect();
    std::printf("  effect name    %s\n", host.EffectName().c_str());
    std::printf("  magic          0x%08x (%s)\n", static_cast<unsigned>(e.magic),
                FourChars(e.magic).c_str());
    std::printf("  numPrograms    %d\n", e.numPrograms);
    std::printf("  numParams      %d\n", e.numParams);
    std::printf("  numInputs      %d\n", e.numInputs);
    std::printf("  numOutputs     %d\n", e.numOutputs);
    std::printf("  flags          0x%04x (%s)\n", static_cast<unsigned>(e.flags),
                FlagNames(e.flags).c_str());
    std::printf("  initialDelay   %d\n", e.initialDelay);
    std::printf("  uniqueID       0x%08x ('%s')\n", static_cast<unsigned>(e.uniqueID),
                FourChars(e.uniqueID).c_str());
    std::printf("  version        %d\n", e.version);
}

// Feeds blocks of a sine through processReplacing; `peaks` gets each block's output peak. Enough
// blocks are run for the sine to come out of a plug-in that delays it by its reported latency.
bool ProcessedPeaks(PluginHost& host, std::vector<float>& peaks) {
    const AEffect& e = *host.Effect();
    const int blocks = 1 + (std::max(e.initialDelay, 0) + kBlockSize - 1) / kBlockSize;
    AudioBuffers<float> in(e.numInputs, kBlockSize);
    AudioBuffers<float> out(e.numOutputs, kBlockSize);
    const double step = 2.0 * 3.14159265358979323846 * kSineHz / kSampleRate;
    for (int block = 0; block < std::min(blocks, kMaxBlocks); ++block) {
        for (int c = 0; c < in.Channels(); ++c) {
            for (int i = 0; i < kBlockSize; ++i) {
                const double n = static_cast<double>(block) * kBlockSize + i;
                in.At(c, i) = kSineAmplitude * static_cast<float>(std::sin(step * n));
            }
        }
        if (!host.ProcessFloat(in, out)) {
            return false;
        }
        float peak = 0.f;
        for (int c = 0; c < out.Channels(); ++c) {
            for (int i = 0; i < kBlockSize; ++i) {
                peak = std::fmax(peak, std::fabs(out.At(c, i)));
            }
        }
        peaks.push_back(peak);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 ||
        (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
        std::fprintf(stderr, "usage: crescenda-probe [plugin path]\n");
        return argc > 2 ? 2 : 0;
    }
    const std::string path = argc == 2 ? argv[1] : DefaultPluginPath();
    PluginHost host;
    if (!host.Load(path)) {
        std::fprintf(stderr, "crescenda-probe: %s\n", host.LastError().c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    host.Open(kSampleRate, kBlockSize);
    PrintRecord(host);
    std::vector<float> peaks;
    if (!ProcessedPeaks(host, peaks)) {
        std::fprintf(stderr, "crescenda-probe: the plug-in cannot process stereo float blocks\n");
        return 1;
    }
    std::printf("  peak           %.6f (first %d-frame block of a %.0f Hz sine at %.1f peak)\n",
                static_cast<double>(peaks.front()), kBlockSize, kSineHz,
                static_cast<double>(kSineAmplitude));
    if (peaks.size() > 1) {
        std::printf("  peak           %.6f (block %d, after the reported latency)\n",
                    static_cast<double>(peaks.back()), static_cast<int>(peaks.size()));
    }
    host.Close();
    return 0;
}
