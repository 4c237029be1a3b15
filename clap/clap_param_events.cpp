// Parameter traffic as events: the host's values in (process and flush), the editor's gestures and
// values out, in the order the editor made them.
#include "clap/clap_plugin.h"
#include "framework/realtime_checks.h"

#include <cmath>

namespace {

clap_event_header HeaderOf(std::uint32_t size, std::uint16_t type) {
    clap_event_header header{};
    header.size = size;
    header.time = 0;
    header.space_id = CLAP_CORE_EVENT_SPACE_ID;
    header.type = type;
    header.flags = CLAP_EVENT_IS_LIVE;
    return header;
}

bool PushGesture(const clap_output_events* out, std::uint16_t type, std::uint32_t param) {
    clap_event_param_gesture gesture{};
    gesture.header = HeaderOf(sizeof gesture, type);
    gesture.param_id = param;
    return out->try_push(out, &gesture.header);
}

bool PushValue(const clap_output_events* out, std::uint32_t param, double value) {
    clap_event_param_value change{};
    change.header = HeaderOf(sizeof change, CLAP_EVENT_PARAM_VALUE);
    change.param_id = param;
    change.note_id = -1;
    change.port_index = -1;
    change.channel = -1;
    change.key = -1;
    change.value = value;
    return out->try_push(out, &change.header);
}

} // namespace

// Instance lock held. Values arrive in the parameter's own units; a value that is not a number
// is dropped rather than handed to the effect.
void ClapPlugin::ApplyEvent(const clap_event_header& event) {
    if (event.space_id != CLAP_CORE_EVENT_SPACE_ID || event.type != CLAP_EVENT_PARAM_VALUE ||
        event.size < sizeof(clap_event_param_value)) {
        return;
    }
    const auto& change = reinterpret_cast<const clap_event_param_value&>(event);
    if (change.param_id >= static_cast<clap_id>(core_->ParamCount()) ||
        !std::isfinite(change.value)) {
        return;
    }
    core_->SetParamPlain(static_cast<int>(change.param_id), change.value);
}

// One consumer at a time without waiting: a host that processes 0 frames from its GUI thread
// while its audio thread runs (one does, to measure latency) leaves the events to the other call.
void ClapPlugin::EmitEditorEvents(const clap_output_events* out) {
    if (out == nullptr || out->try_push == nullptr || emitting_.test_and_set()) {
        return; // they wait for a list, or for the call already taking them
    }
    EditorEvent event;
    while (editorEvents_.Pop(event)) {
        switch (event.kind) {
        case EditorEvent::Kind::GestureBegin:
            PushGesture(out, CLAP_EVENT_PARAM_GESTURE_BEGIN, event.param);
            break;
        case EditorEvent::Kind::Value:
            PushValue(out, event.param, event.value);
            break;
        case EditorEvent::Kind::GestureEnd:
            PushGesture(out, CLAP_EVENT_PARAM_GESTURE_END, event.param);
            break;
        }
    }
    emitting_.clear();
}

std::uint32_t ClapPlugin::TakeEvents(const clap_input_events* in, std::uint32_t first,
                                     std::uint32_t count, const clap_event_header** batch,
                                     std::uint32_t& stored) {
    stored = 0;
    std::uint32_t i = first;
    for (; i < count && stored < EventBatch; ++i) {
        if (const clap_event_header* event = in->get != nullptr ? in->get(in, i) : nullptr) {
            batch[stored] = event;
            ++stored;
        }
    }
    return i - first;
}

void ClapPlugin::Flush(const clap_input_events* in, const clap_output_events* out) {
    const std::uint32_t count = in != nullptr && in->size != nullptr ? in->size(in) : 0;
    for (std::uint32_t next = 0; next < count;) {
        const clap_event_header* batch[EventBatch];
        std::uint32_t taken = 0;
        next += TakeEvents(in, next, count, batch, taken);
        InstanceHold hold(core_->Lock());
        for (std::uint32_t i = 0; i < taken; ++i) {
            ApplyEvent(*batch[i]);
        }
    }
    core_->ApplyPendingParams(); // flush never runs beside process
    EmitEditorEvents(out);
    AskForRestart(false); // the thread is not known: audio while processing, else main
}

// Main thread, outside the instance lock (the editor's press and release).
void ClapPlugin::BeginParamEdit(int index) {
    gestureParam_ = index;
    PushEditorEvent(EditorEvent::Kind::GestureBegin, index, 0.0);
}

// Main thread, under the instance lock, after the parameter took the value: the host gets it in
// the parameter's units. A change outside a gesture (a double click, the wheel) is made one, so
// hosts see every change of the editor bracketed.
void ClapPlugin::AnnounceParamChange(int index, double /*normalised*/) {
    const PluginParam* param = core_->Param(index);
    if (param == nullptr) {
        return;
    }
    const bool alone = gestureParam_ != index;
    if (alone) {
        PushEditorEvent(EditorEvent::Kind::GestureBegin, index, 0.0);
    }
    PushEditorEvent(EditorEvent::Kind::Value, index, param->Value());
    if (alone) {
        PushEditorEvent(EditorEvent::Kind::GestureEnd, index, 0.0);
    }
}

void ClapPlugin::EndParamEdit(int index) {
    gestureParam_ = -1;
    PushEditorEvent(EditorEvent::Kind::GestureEnd, index, 0.0);
}

void ClapPlugin::PushEditorEvent(EditorEvent::Kind kind, int index, double value) {
    editorEvents_.Push(EditorEvent{kind, static_cast<std::uint32_t>(index), value});
}
