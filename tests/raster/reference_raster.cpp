#include "reference_raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Channels {
    int c[4]; // blue, green, red, alpha
};

Channels Split(uint32_t p) {
    return Channels{{int(p & 0xFF), int((p >> 8) & 0xFF), int((p >> 16) & 0xFF), int(p >> 24)}};
}

uint32_t Join(const Channels& ch) {
    return uint32_t(ch.c[0]) | uint32_t(ch.c[1]) << 8 | uint32_t(ch.c[2]) << 16 |
           uint32_t(ch.c[3]) << 24;
}

int Clamp(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

int Dodge(int d, int t) {
    return t > 254 ? std::min(255, d * 256) : std::min(255, d * 256 / (256 - t));
}

int Overlay(int d, int s, int weight) {
    const int t = weight * s + (256 - weight) * 128;
    return Clamp(((32768 - t) * d / 256 + t) * d >> 15);
}

} // namespace

uint32_t ReferenceBlitPixel(uint32_t d, uint32_t s, float alpha, int mode) {
    Channels D = Split(d);
    const Channels S = Split(s);
    if ((mode & 0xFF) >= 0xF0) {
        D.c[(mode >> 2) & 3] = S.c[mode & 3];
        return Join(D);
    }
    const int key = mode & 0x100FF;
    if (key == 0 && alpha == 1.0f) {
        return s;
    }
    if (key == 0 && alpha == 0.5f) {
        for (int i = 0; i < 4; ++i) {
            D.c[i] = S.c[i] / 2 + D.c[i] / 2;
        }
        return Join(D);
    }
    const int ia = int(std::trunc(double(alpha) * 256.0));
    if (ia <= 0) {
        return d;
    }
    const int sa = S.c[3];
    const int w = ia * (sa + 1) / 256;
    switch (key) {
    case 0:
        if (ia == 256) {
            return s;
        }
        for (int i = 0; i < 4; ++i) {
            D.c[i] = S.c[i] + (D.c[i] - S.c[i]) * (256 - ia) / 256;
        }
        break;
    case 1:
        for (int i = 0; i < 4; ++i) {
            D.c[i] = Clamp(D.c[i] + ia * S.c[i] / 256);
        }
        break;
    case 2:
        for (int i = 0; i < 4; ++i) {
            D.c[i] = Dodge(D.c[i], ia * S.c[i] / 256);
        }
        break;
    case 3:
        for (int i = 0; i < 4; ++i) {
            D.c[i] = (D.c[i] * (ia * (S.c[i] - 256) + 65536)) >> 16;
        }
        break;
    case 4:
        for (int i = 0; i < 4; ++i) {
            D.c[i] = Overlay(D.c[i], S.c[i], ia);
        }
        break;
    case 0x10000:
        if (sa == 0) {
            return d;
        }
        if (ia == 256 && sa == 255) {
            return (s & 0x00FFFFFF) | 0xFF000000u;
        }
        if (ia == 256) {
            D.c[3] = std::min(255, D.c[3] + sa);
            for (int i = 0; i < 3; ++i) {
                D.c[i] = S.c[i] + (D.c[i] - S.c[i]) * (255 - sa) / 256;
            }
            break;
        }
        D.c[3] = std::min(255, D.c[3] + w);
        for (int i = 0; i < 3; ++i) {
            D.c[i] = S.c[i] + (D.c[i] - S.c[i]) * (256 - w) / 256;
        }
        break;
    case 0x10001:
        if (sa == 0) {
            return d;
        }
        for (int i = 0; i < 3; ++i) {
            D.c[i] = Clamp(D.c[i] + w * S.c[i] / 256);
        }
        D.c[3] = Clamp(D.c[3] + sa * w / 256);
        break;
    case 0x10002:
        for (int i = 0; i < 3; ++i) {
            D.c[i] = Dodge(D.c[i], w * S.c[i] / 256);
        }
        D.c[3] = Dodge(D.c[3], sa * w / 256);
        break;
    case 0x10003:
        if (sa == 0) {
            return d;
        }
        for (int i = 0; i < 4; ++i) {
            D.c[i] = (D.c[i] * (w * S.c[i] + (256 - w) * 256)) >> 16;
        }
        break;
    case 0x10004:
        for (int i = 0; i < 4; ++i) {
            D.c[i] = Overlay(D.c[i], S.c[i], w);
        }
        break;
    default:
        return d;
    }
    return Join(D);
}

void ReferenceBlitRect(TestBitmap& dest, TestBitmap& src, int dstX, int dstY,
                       const PX_Rect* srcRect, float alpha, int mode) {
    if (alpha == 0.0f) {
        return;
    }
    const int64_t left = srcRect ? srcRect->left : 0;
    const int64_t top = srcRect ? srcRect->top : 0;
    const int64_t right = srcRect ? std::min<int64_t>(srcRect->right, src.Width()) : src.Width();
    const int64_t bottom =
        srcRect ? std::min<int64_t>(srcRect->bottom, src.Height()) : src.Height();
    // Source pixel (sx, sy) of the rectangle lands at (dstX + sx - left, dstY + sy - top).
    for (int64_t sy = std::max<int64_t>(top, 0); sy < bottom; ++sy) {
        for (int64_t sx = std::max<int64_t>(left, 0); sx < right; ++sx) {
            const int64_t dx = dstX + sx - left;
            const int64_t dy = dstY + sy - top;
            if (dx < 0 || dy < 0 || dx >= dest.Width() || dy >= dest.Height()) {
                continue;
            }
            uint32_t& d = dest.At(int(dx), int(dy));
            d = ReferenceBlitPixel(d, src.At(int(sx), int(sy)), alpha, mode);
        }
    }
}

uint32_t ReferenceFillPixel(uint32_t d, uint32_t k, int ia, int mode) {
    Channels D = Split(d);
    const Channels K = Split(k);
    if ((mode & 0xFF) == 0) {
        if (ia == 256) {
            return k;
        }
        if (ia == 128 || ia == 64 || ia == 192) {
            for (int i = 0; i < 4; ++i) {
                const int dc = D.c[i], kc = K.c[i];
                D.c[i] = ia == 128
                             ? kc / 2 + dc / 2
                             : (ia == 64 ? dc / 2 + kc / 4 + dc / 4 : kc / 4 + dc / 4 + kc / 2);
            }
            return Join(D);
        }
    }
    if (ia <= 0) {
        return d;
    }
    // The colour's blue, green and red are the source of those channels, ia that of alpha.
    const int S[4] = {K.c[0], K.c[1], K.c[2], ia};
    for (int i = 0; i < 4; ++i) {
        switch (mode & 0xFF) {
        case 0:
            D.c[i] = S[i] + (D.c[i] - S[i]) * (256 - ia) / 256;
            break;
        case 1:
            D.c[i] = Clamp(D.c[i] + S[i] * ia / 256);
            break;
        case 2:
            D.c[i] = Dodge(D.c[i], S[i] * ia / 256);
            break;
        case 3:
            D.c[i] = (D.c[i] * (ia * (S[i] - 256) + 65536)) >> 16;
            break;
        case 4:
            D.c[i] = Overlay(D.c[i], S[i], ia);
            break;
        default:
            return d;
        }
    }
    return Join(D);
}

void ReferenceFillArea(TestBitmap& dest, int x, int y, int width, int height, uint32_t colour,
                       float alpha, int mode) {
    if ((mode & 0x10000) != 0) {
        alpha = alpha * (float(colour >> 24) / 255.0f);
    }
    if (alpha == 0.0f) {
        return;
    }
    const int ia = int(std::trunc(double(alpha) * 256.0));
    for (int64_t py = y; py < int64_t{y} + height; ++py) {
        for (int64_t px = x; px < int64_t{x} + width; ++px) {
            if (px < 0 || py < 0 || px >= dest.Width() || py >= dest.Height()) {
                continue;
            }
            uint32_t& d = dest.At(int(px), int(py));
            d = ReferenceFillPixel(d, colour, ia, mode);
        }
    }
}

void ReferenceSmoothArea(TestBitmap& dest, TestBitmap& src, int width, int height) {
    width = std::min({width, src.Width(), dest.Width()});
    height = std::min({height, src.Height(), dest.Height()});
    if (width < 2 || height < 2) {
        return;
    }
    std::vector<Channels> copy;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            copy.push_back(Split(src.At(x, y)));
        }
    }
    auto at = [&](int x, int y, int i) { return copy[size_t(y) * width + x].c[i]; };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Channels out{};
            for (int i = 0; i < 4; ++i) {
                const bool hasLeft = x > 0, hasRight = x + 1 < width;
                const bool hasUp = y > 0, hasDown = y + 1 < height;
                // Both neighbours of an axis weigh an eighth each, a lone one a quarter.
                int v = at(x, y, i) / 2;
                if (hasLeft && hasRight) {
                    v += at(x - 1, y, i) / 8 + at(x + 1, y, i) / 8;
                } else {
                    v += at(hasLeft ? x - 1 : x + 1, y, i) / 4;
                }
                if (hasUp && hasDown) {
                    v += at(x, y - 1, i) / 8 + at(x, y + 1, i) / 8;
                } else {
                    v += at(x, hasUp ? y - 1 : y + 1, i) / 4;
                }
                out.c[i] = v;
            }
            dest.At(x, y) = Join(out);
        }
    }
}
