#include "tools/render/progress_bar.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kBarWidth = 40;
constexpr double kRedrawSeconds = 0.1;

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

} // namespace

ProgressBar::ProgressBar(std::FILE* stream, int64_t total, double showAfterSeconds)
    : stream_(stream), total_(std::max<int64_t>(total, 1)), showAfter_(showAfterSeconds),
      start_(std::chrono::steady_clock::now()), lastDraw_(start_) {}

void ProgressBar::Update(int64_t done) {
    const auto now = std::chrono::steady_clock::now();
    if (!shown_ && Seconds(now - start_) < showAfter_) {
        return;
    }
    if (shown_ && Seconds(now - lastDraw_) < kRedrawSeconds) {
        return;
    }
    lastDraw_ = now;
    shown_ = true;
    Draw(done);
}

void ProgressBar::Finish() {
    if (shown_) {
        Draw(total_);
        std::fputc('\n', stream_);
        std::fflush(stream_);
    }
}

void ProgressBar::Draw(int64_t done) {
    const double fraction = std::clamp(static_cast<double>(done) / total_, 0.0, 1.0);
    const int filled = static_cast<int>(fraction * kBarWidth);
    std::string bar(static_cast<size_t>(filled), '#');
    bar.append(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(stream_, "\rrendering [%s] %3d%%", bar.c_str(),
                 static_cast<int>(fraction * 100.0));
    std::fflush(stream_);
}
