#include "reference_resample.h"

#include <algorithm>
#include <cmath>

namespace {

double Window(double t) {
    const double pi = std::acos(-1.0);
    t = std::fabs(t);
    if (t == 0.0) {
        return 1.0;
    }
    return t < 3.0 ? std::sin(pi * t) / (pi * t) * std::sin(pi * t / 3.0) / (pi * t / 3.0) : 0.0;
}

// Source positions and weights for output pixel i of `to` taken from `from`: the output pixel's
// centre mapped back, the window widened by from / to when shrinking, edges repeated.
void Weights(int i, int from, int to, std::vector<int>& at, std::vector<double>& weight) {
    const double ratio = double(from) / to;
    const double widen = ratio > 1.0 ? ratio : 1.0;
    const double centre = (i + 0.5) * ratio - 0.5;
    at.clear();
    weight.clear();
    for (int j = int(std::floor(centre - 3.0 * widen)) - 1; j <= centre + 3.0 * widen + 1; ++j) {
        const double w = Window((j - centre) / widen);
        if (w != 0.0) {
            at.push_back(std::clamp(j, 0, from - 1));
            weight.push_back(w);
        }
    }
}

} // namespace

std::vector<uint32_t> ReferenceResample(const std::vector<uint32_t>& frame, int width, int height,
                                        int toWidth, int toHeight) {
    std::vector<uint32_t> out(size_t(toWidth) * toHeight);
    std::vector<int> xs, ys;
    std::vector<double> wx, wy;
    for (int y = 0; y < toHeight; ++y) {
        Weights(y, height, toHeight, ys, wy);
        for (int x = 0; x < toWidth; ++x) {
            Weights(x, width, toWidth, xs, wx);
            double sum[4] = {0, 0, 0, 0}; // premultiplied b, g, r and alpha
            double total = 0.0;
            for (size_t v = 0; v < ys.size(); ++v) {
                for (size_t u = 0; u < xs.size(); ++u) {
                    const uint32_t p = frame[size_t(ys[v]) * width + size_t(xs[u])];
                    const double w = wx[u] * wy[v];
                    const double a = double(p >> 24);
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += w * double((p >> (8 * c)) & 0xFF) * a / 255.0;
                    }
                    sum[3] += w * a;
                    total += w;
                }
            }
            const double a = std::clamp(sum[3] / total, 0.0, 255.0);
            const uint32_t alpha = uint32_t(a + 0.5);
            uint32_t pixel = 0;
            if (alpha > 0) {
                pixel = alpha << 24;
                for (int c = 0; c < 3; ++c) {
                    const double straight = std::clamp(sum[c] / total, 0.0, a) * 255.0 / a;
                    pixel |= uint32_t(straight + 0.5) << (8 * c);
                }
            }
            out[size_t(y) * toWidth + size_t(x)] = pixel;
        }
    }
    return out;
}
