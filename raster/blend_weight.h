// The integer weight of a float alpha: trunc(alpha * 256), computed in double precision.
#pragma once

// Non-finite or negative alphas draw nothing (weight 0); alphas above 1.0 weigh as 1.0, so no
// formula leaves the byte range.
inline int BlendWeight(double alpha) {
    const double scaled = alpha * 256.0;
    if (!(scaled > 0.0)) {
        return 0;
    }
    if (scaled >= 256.0) {
        return 256;
    }
    return static_cast<int>(scaled);
}
