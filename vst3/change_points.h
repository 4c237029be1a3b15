// The parameter changes of one process() call as one list in sample order, so the block can be
// cut at each point and every change lands on its own sample. Fixed capacity: gathering never
// allocates (audio thread).
#pragma once

#include "vst3/vst3_abi.h"

#include <array>

namespace vst3 {

struct ChangePoint {
    int32 offset;
    ParamID id;
    ParamValue value;
};

class ChangePoints {
public:
    static constexpr int Capacity = 1024;

    // Takes every point of every queue, offsets limited to 0..frames-1 (0 for an empty block),
    // stably sorted by offset so points of one parameter keep their order. When the points do
    // not fit, each queue still gives its last point, so the block ends at the host's values.
    void Gather(IParameterChanges* changes, int32 frames); // audio thread
    int Count() const { return count_; }
    const ChangePoint& At(int index) const { return points_[static_cast<size_t>(index)]; }

private:
    void Insert(const ChangePoint& point);

    std::array<ChangePoint, Capacity> points_{};
    int count_ = 0;
};

} // namespace vst3
