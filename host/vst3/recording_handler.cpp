#include "host/vst3/recording_handler.h"

using namespace vst3;

std::vector<RecordingHandler::Call> RecordingHandler::Calls() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return calls_;
}

void RecordingHandler::Clear() {
    std::lock_guard<std::mutex> hold(mutex_);
    calls_.clear();
}

tresult RecordingHandler::Record(Kind kind, ParamID id, ParamValue value) {
    std::lock_guard<std::mutex> hold(mutex_);
    calls_.push_back({kind, id, value, std::this_thread::get_id()});
    return kResultOk;
}

tresult RecordingHandler::queryInterface(const TUID id, void** obj) {
    return AnswerQuery<Offer<FUnknown>, Offer<IComponentHandler>>(this, id, obj);
}

tresult RecordingHandler::beginEdit(ParamID id) {
    return Record(Kind::Begin, id, 0.0);
}

tresult RecordingHandler::performEdit(ParamID id, ParamValue valueNormalized) {
    return Record(Kind::Perform, id, valueNormalized);
}

tresult RecordingHandler::endEdit(ParamID id) {
    return Record(Kind::End, id, 0.0);
}

tresult RecordingHandler::restartComponent(int32 flags) {
    return Record(Kind::Restart, 0, flags);
}
