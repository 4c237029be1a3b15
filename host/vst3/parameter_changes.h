// Parameter changes the host hands to process(): one queue of (sample offset, normalised value)
// points per parameter. The same class collects what the plug-in sends back.
#pragma once

#include "host/vst3/host_object.h"

#include <deque>
#include <vector>

class ParamValueQueue final : public HostObject<vst3::IParamValueQueue> {
public:
    struct Point {
        vst3::int32 offset;
        vst3::ParamValue value;
    };
    explicit ParamValueQueue(vst3::ParamID id);

    const std::vector<Point>& Points() const { return points_; }
    vst3::ParamID Id() const { return id_; }

    vst3::tresult queryInterface(const vst3::TUID id, void** obj) override;
    vst3::ParamID getParameterId() override { return id_; }
    vst3::int32 getPointCount() override { return static_cast<vst3::int32>(points_.size()); }
    vst3::tresult getPoint(vst3::int32 index, vst3::int32& sampleOffset,
                           vst3::ParamValue& value) override;
    vst3::tresult addPoint(vst3::int32 sampleOffset, vst3::ParamValue value,
                           vst3::int32& index) override;

private:
    static constexpr size_t Capacity = 1024;
    vst3::ParamID id_;
    std::vector<Point> points_;
};

class ParameterChanges final : public HostObject<vst3::IParameterChanges> {
public:
    ParameterChanges() = default;

    // Host side: a point for `id` (its queue made on first use); points go in offset order.
    void Add(vst3::ParamID id, vst3::int32 offset, vst3::ParamValue value);
    void Clear() { queues_.clear(); }
    // The queue for `id`, or null.
    const ParamValueQueue* Find(vst3::ParamID id) const;
    // Every queue and point was handed back.
    bool AllReleased() const;

    vst3::tresult queryInterface(const vst3::TUID id, void** obj) override;
    vst3::int32 getParameterCount() override { return static_cast<vst3::int32>(queues_.size()); }
    vst3::IParamValueQueue* getParameterData(vst3::int32 index) override;
    vst3::IParamValueQueue* addParameterData(const vst3::ParamID& id, vst3::int32& index) override;

private:
    static constexpr size_t Capacity = 64;
    // A deque keeps every queue's address while more are added.
    std::deque<ParamValueQueue> queues_;
};
