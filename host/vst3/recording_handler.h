// The host's side of edits: records every begin/perform/end edit and restart request the plug-in
// sends, with the thread each came from, so tests check gestures, their order and the thread.
#pragma once

#include "host/vst3/host_object.h"

#include <mutex>
#include <thread>
#include <vector>

class RecordingHandler final : public HostObject<vst3::IComponentHandler> {
public:
    enum class Kind { Begin, Perform, End, Restart };
    struct Call {
        Kind kind;
        vst3::ParamID id;       // Restart: 0
        vst3::ParamValue value; // Perform: the value; Restart: the flags
        std::thread::id thread;
    };

    std::vector<Call> Calls() const;
    void Clear();

    vst3::tresult queryInterface(const vst3::TUID id, void** obj) override;
    vst3::tresult beginEdit(vst3::ParamID id) override;
    vst3::tresult performEdit(vst3::ParamID id, vst3::ParamValue valueNormalized) override;
    vst3::tresult endEdit(vst3::ParamID id) override;
    vst3::tresult restartComponent(vst3::int32 flags) override;

private:
    vst3::tresult Record(Kind kind, vst3::ParamID id, vst3::ParamValue value);

    mutable std::mutex mutex_;
    std::vector<Call> calls_;
};
