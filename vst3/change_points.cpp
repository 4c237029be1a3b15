#include "vst3/change_points.h"

#include <algorithm>

namespace vst3 {

void ChangePoints::Insert(const ChangePoint& point) {
    if (count_ >= Capacity) {
        return;
    }
    // After every point at the same or an earlier offset: stable, and cheap for queues that
    // arrive in order.
    int at = count_;
    while (at > 0 && points_[static_cast<size_t>(at - 1)].offset > point.offset) {
        points_[static_cast<size_t>(at)] = points_[static_cast<size_t>(at - 1)];
        --at;
    }
    points_[static_cast<size_t>(at)] = point;
    ++count_;
}

void ChangePoints::Gather(IParameterChanges* changes, int32 frames) {
    count_ = 0;
    if (changes == nullptr) {
        return;
    }
    const int32 lastFrame = std::max<int32>(frames - 1, 0);
    const int32 queues = changes->getParameterCount();
    for (int32 q = 0; q < queues; ++q) {
        IParamValueQueue* queue = changes->getParameterData(q);
        if (queue == nullptr) {
            continue;
        }
        const ParamID id = queue->getParameterId();
        const int32 points = queue->getPointCount();
        for (int32 p = 0; p < points; ++p) {
            // Room is kept for the last point of this queue and one per queue after it.
            const bool last = p == points - 1;
            if (!last && count_ >= Capacity - (queues - q)) {
                continue;
            }
            int32 offset = 0;
            ParamValue value = 0.0;
            if (queue->getPoint(p, offset, value) == kResultOk) {
                Insert({std::clamp<int32>(offset, 0, lastFrame), id, value});
            }
        }
    }
}

} // namespace vst3
