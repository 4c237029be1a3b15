#include "host/vst3/parameter_changes.h"

using namespace vst3;

ParamValueQueue::ParamValueQueue(ParamID id) : id_(id) {
    points_.reserve(Capacity);
}

tresult ParamValueQueue::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown>, Offer<IParamValueQueue>>(this, id, obj);
}

tresult ParamValueQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
    if (index < 0 || index >= getPointCount()) {
        return kInvalidArgument;
    }
    sampleOffset = points_[static_cast<size_t>(index)].offset;
    value = points_[static_cast<size_t>(index)].value;
    return kResultOk;
}

tresult ParamValueQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
    if (points_.size() >= Capacity) {
        return kOutOfMemory;
    }
    index = getPointCount();
    points_.push_back({sampleOffset, value});
    return kResultOk;
}

void ParameterChanges::Add(ParamID id, int32 offset, ParamValue value) {
    int32 index = 0;
    int32 point = 0;
    IParamValueQueue* queue = addParameterData(id, index);
    if (queue != nullptr) {
        queue->addPoint(offset, value, point);
    }
}

const ParamValueQueue* ParameterChanges::Find(ParamID id) const {
    for (const auto& queue : queues_) {
        if (queue.Id() == id) {
            return &queue;
        }
    }
    return nullptr;
}

bool ParameterChanges::AllReleased() const {
    for (const auto& queue : queues_) {
        if (queue.References() != 1) {
            return false;
        }
    }
    return References() == 1;
}

tresult ParameterChanges::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown>, Offer<IParameterChanges>>(this, id, obj);
}

IParamValueQueue* ParameterChanges::getParameterData(int32 index) {
    if (index < 0 || index >= getParameterCount()) {
        return nullptr;
    }
    return &queues_[static_cast<size_t>(index)];
}

IParamValueQueue* ParameterChanges::addParameterData(const ParamID& id, int32& index) {
    for (size_t i = 0; i < queues_.size(); ++i) {
        if (queues_[i].getParameterId() == id) {
            index = static_cast<int32>(i);
            return &queues_[i];
        }
    }
    if (queues_.size() >= Capacity) {
        return nullptr;
    }
    index = getParameterCount();
    return &queues_.emplace_back(id);
}
