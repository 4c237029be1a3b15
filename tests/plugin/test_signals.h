// Deterministic stereo test material: plucked notes (an instant attack and an exponential decay)
// over a quiet floor, so the detector sees clear attacks.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

struct Pluck {
    int start;          // first sample of the note
    double amplitude;   // peak of the note
    double frequency;   // Hz; 0 makes a positive decaying step (no zero crossings)
    double decay = 0.3; // seconds to fall by a factor e
};

struct StereoSignal {
    std::vector<double> left;
    std::vector<double> right;
    int Frames() const { return static_cast<int>(left.size()); }
};

inline StereoSignal MakePlucks(const std::vector<Pluck>& notes, int frames, double rate = 44100.0,
                               double floor = 0.0) {
    StereoSignal s;
    s.left.assign(static_cast<size_t>(frames), floor);
    s.right.assign(static_cast<size_t>(frames), floor);
    const double twoPi = 6.283185307179586;
    for (const Pluck& note : notes) {
        for (int k = note.start; k < frames; ++k) {
            const double t = (k - note.start) / rate;
            const double envelope = note.amplitude * std::exp(-t / note.decay);
            if (envelope < 1e-6) {
                break;
            }
            const double phase = twoPi * note.frequency * t;
            const double left = note.frequency > 0.0 ? std::sin(phase) : 1.0;
            const double right = note.frequency > 0.0 ? std::sin(phase * 1.01 + 0.3) : 0.8;
            s.left[static_cast<size_t>(k)] += envelope * left;
            s.right[static_cast<size_t>(k)] += envelope * right;
        }
    }
    return s;
}

// A few seconds of music-like material: a primer note, ordinary notes, an accent, a fast run.
inline StereoSignal MusicLike(double rate = 44100.0) {
    const int r = static_cast<int>(rate);
    std::vector<Pluck> notes = {
        {r / 10, 0.3, 220.0},
        {r / 2, 0.3, 330.0},
        {r, 0.25, 247.0},
        {r + r / 3, 0.9, 440.0, 0.5}, // accent
        {2 * r, 0.2, 523.0, 0.1},
        {2 * r + r / 8, 0.2, 587.0, 0.1},
        {2 * r + r / 4, 0.2, 659.0, 0.1},
        {2 * r + 3 * r / 8, 0.3, 698.0, 0.1},
        {3 * r, 0.35, 196.0, 1.0},
    };
    return MakePlucks(notes, 4 * r, rate);
}
