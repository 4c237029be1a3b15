// The recording handle ledger linked into this test program in place of the product's silent one:
// every handle the editor window made and whether it was freed since.
#pragma once

#include "editor/win32/handle_ledger.h"

#include <cstdint>
#include <string>
#include <vector>

struct LedgerEntry {
    LedgerKind kind;
    std::uintptr_t handle;
};

namespace HandleLedger {

// Handles made and not freed, in the order they were made.
std::vector<LedgerEntry> Open();
// Every handle made so far (freed or not), for checking each against the system.
std::vector<LedgerEntry> EverMade();
int MadeCount(LedgerKind kind);
// Forgets everything recorded so far.
void Clear();
std::string KindName(LedgerKind kind);

} // namespace HandleLedger
