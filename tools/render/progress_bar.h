// A progress bar on a terminal stream, shown only once a render has run for a while, so short
// renders print nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>

class ProgressBar {
public:
    ProgressBar(std::FILE* stream, int64_t total, double showAfterSeconds = 2.0);
    void Update(int64_t done);
    // Draws the full bar and ends its line, if the bar was shown.
    void Finish();
    bool Shown() const { return shown_; }

private:
    void Draw(int64_t done);

    std::FILE* stream_;
    int64_t total_;
    double showAfter_;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_;
    bool shown_ = false;
};
