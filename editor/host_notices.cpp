#include "editor/host_notices.h"

#include "framework/plugin_core.h"

void HostNotices::Post(const Notice& notice) {
    std::unique_lock<std::mutex> lock(mutex_);
    waiting_.push_back(notice);
    if (holds_ == 0 && !delivering_) {
        DeliverWaiting(lock);
    }
}

void HostNotices::Hold() {
    std::lock_guard<std::mutex> lock(mutex_);
    ++holds_;
}

void HostNotices::Release() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (holds_ > 0) {
        --holds_;
    }
    if (holds_ == 0 && !delivering_) {
        DeliverWaiting(lock);
    }
    quiet_.notify_all();
}

void HostNotices::WaitUntilQuiet() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (delivering_ && deliverer_ == std::this_thread::get_id()) {
        return;
    }
    quiet_.wait(lock, [this] { return holds_ == 0 && !delivering_; });
}

// A notice posted from inside a delivery (the host closed the editor, which ends the gesture)
// joins the queue and goes out after the one being delivered.
void HostNotices::DeliverWaiting(std::unique_lock<std::mutex>& lock) {
    delivering_ = true;
    deliverer_ = std::this_thread::get_id();
    while (!waiting_.empty()) {
        std::vector<Notice> batch;
        batch.swap(waiting_);
        lock.unlock();
        for (const Notice& notice : batch) {
            Deliver(notice);
        }
        lock.lock();
    }
    delivering_ = false;
    deliverer_ = std::thread::id();
    quiet_.notify_all();
}

void HostNotices::Deliver(const Notice& notice) {
    if (plugin_ == nullptr) {
        return;
    }
    switch (notice.kind) {
    case Kind::BeginEdit:
        plugin_->BeginParamEdit(notice.param);
        break;
    case Kind::Value:
        plugin_->SetParamFromEditor(notice.param, notice.value);
        break;
    case Kind::EndEdit:
        plugin_->EndParamEdit(notice.param);
        break;
    }
}
