// Plucked strings by the Karplus-Strong method: a noise burst circulates in a delay line one
// period long, and averaging adjacent samples on every pass makes the high harmonics die first.
#include "tools/render/demo_synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct Note {
    double start;  // seconds
    double length; // seconds until the string is damped
    int midiKey;
    double velocity; // 0..1
    double pan;      // -1 left .. 1 right
};

constexpr double kRingSeconds = 2.5; // time for an undamped string to fall by 60 dB
constexpr double kDampSeconds = 0.04;
constexpr double kPeak = 0.8; // the mix is scaled to this peak (about -2 dBFS)

double KeyFrequency(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

std::vector<Note> Score() {
    std::vector<Note> notes;
    // A melody in eighths; every third note accented.
    const int melody[] = {57, 60, 64, 62, 60, 64, 67, 65};
    for (int i = 0; i < 8; ++i) {
        const double velocity = i % 3 == 0 ? 1.0 : 0.5;
        notes.push_back({0.25 + 0.375 * i, 0.36, melody[i], velocity, -0.3 + 0.08 * i});
    }
    // A fast arpeggio: four chords, four notes each, a tenth of a second apart.
    const int chords[4][4] = {
        {57, 60, 64, 69}, {53, 57, 60, 65}, {48, 55, 60, 64}, {55, 59, 62, 67}};
    for (int c = 0; c < 4; ++c) {
        for (int n = 0; n < 4; ++n) {
            const double start = 3.4 + 0.4 * c + 0.1 * n;
            notes.push_back(
                {start, 0.2, chords[c][n], n == 0 ? 0.9 : 0.6, n % 2 == 0 ? -0.5 : 0.5});
        }
    }
    // A held chord, strummed.
    const int held[] = {45, 52, 57, 60, 64};
    for (int n = 0; n < 5; ++n) {
        notes.push_back({5.2 + 0.015 * n, 2.4, held[n], 0.85, -0.4 + 0.2 * n});
    }
    return notes;
}

// A small deterministic noise source, so every run renders the same demo.
class Noise {
public:
    double Next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state_ >> 11) / 4503599627370496.0 - 1.0; // -1..1
    }

private:
    uint64_t state_ = 0x2545F4914F6CDD1Dull;
};

void Pluck(const Note& note, int sampleRate, Noise& noise, std::vector<double>& left,
           std::vector<double>& right) {
    const double frequency = KeyFrequency(note.midiKey);
    const size_t period =
        std::max<size_t>(2, static_cast<size_t>(std::lround(sampleRate / frequency)));
    // Softer plucks start with a duller burst.
    std::vector<double> line(period);
    double smooth = 0.0;
    const double brightness = 0.3 + 0.7 * note.velocity;
    for (double& sample : line) {
        smooth += brightness * (noise.Next() - smooth);
        sample = smooth;
    }
    const double loopGain = std::pow(0.001, 1.0 / (kRingSeconds * frequency));
    const double angle = (note.pan + 1.0) * 0.25 * 3.14159265358979323846;
    const double gainLeft = std::cos(angle) * note.velocity;
    const double gainRight = std::sin(angle) * note.velocity;

    const size_t begin = static_cast<size_t>(note.start * sampleRate);
    const size_t damped = static_cast<size_t>(note.length * sampleRate);
    const size_t fade = static_cast<size_t>(kDampSeconds * sampleRate);
    const size_t total = std::min(damped + fade, left.size() - std::min(begin, left.size()));
    size_t position = 0;
    for (size_t i = 0; i < total; ++i) {
        const size_t next = (position + 1) % period;
        const double out = line[position];
        line[position] = loopGain * 0.5 * (line[position] + line[next]);
        position = next;
        const double envelope = i < damped ? 1.0 : 1.0 - static_cast<double>(i - damped) / fade;
        left[begin + i] += out * envelope * gainLeft;
        right[begin + i] += out * envelope * gainRight;
    }
}

} // namespace

AudioData SynthesizeDemo(int sampleRate) {
    const double seconds = 8.0;
    const size_t frames = static_cast<size_t>(seconds * sampleRate);
    std::vector<double> left(frames), right(frames);
    Noise noise;
    for (const Note& note : Score()) {
        Pluck(note, sampleRate, noise, left, right);
    }
    double peak = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
    }
    const double scale = peak > 0.0 ? kPeak / peak : 0.0;
    AudioData audio;
    audio.sampleRate = sampleRate;
    audio.channels.assign(2, std::vector<float>(frames));
    for (size_t i = 0; i < frames; ++i) {
        audio.channels[0][i] = static_cast<float>(left[i] * scale);
        audio.channels[1][i] = static_cast<float>(right[i] * scale);
    }
    return audio;
}
