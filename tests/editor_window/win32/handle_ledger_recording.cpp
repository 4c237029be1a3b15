#include "handle_ledger_recording.h"

#include <algorithm>
#include <mutex>

namespace {

struct Ledger {
    std::mutex mutex;
    std::vector<LedgerEntry> open;
    std::vector<LedgerEntry> made;
};

Ledger& TheLedger() {
    static Ledger ledger;
    return ledger;
}

} // namespace

void NoteHandleMade(LedgerKind kind, std::uintptr_t handle) {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.mutex);
    ledger.open.push_back(LedgerEntry{kind, handle});
    ledger.made.push_back(LedgerEntry{kind, handle});
}

// A handle freed that was never made (or freed twice) stays visible: it is recorded as an open
// entry of its own, so the check after a close reports it.
void NoteHandleFreed(LedgerKind kind, std::uintptr_t handle) {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.mutex);
    auto found = std::find_if(ledger.open.begin(), ledger.open.end(), [&](const LedgerEntry& e) {
        return e.kind == kind && e.handle == handle;
    });
    if (found != ledger.open.end()) {
        ledger.open.erase(found);
    } else {
        ledger.open.push_back(LedgerEntry{kind, handle ^ 0x8000000000000000ull});
    }
}

std::vector<LedgerEntry> HandleLedger::Open() {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.mutex);
    return ledger.open;
}

std::vector<LedgerEntry> HandleLedger::EverMade() {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.mutex);
    return ledger.made;
}

int HandleLedger::MadeCount(LedgerKind kind) {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.mutex);
    return static_cast<int>(std::count_if(ledger.made.begin(), ledger.made.end(),
                                          [&](const LedgerEntry& e) { return e.kind == kind; }));
}

void HandleLedger::Clear() {
    Ledger& ledger = TheLedger();
    std::lock_guard<std::mutex> hold(ledger.mutex);
    ledger.open.clear();
    ledger.made.clear();
}

std::string HandleLedger::KindName(LedgerKind kind) {
    switch (kind) {
    case LedgerKind::WindowClass:
        return "window class";
    case LedgerKind::Window:
        return "window";
    case LedgerKind::Timer:
        return "timer";
    case LedgerKind::Font:
        return "font";
    case LedgerKind::Menu:
        return "menu";
    case LedgerKind::PaintDeviceContext:
        return "paint device context";
    }
    return "?";
}
