// The product's handle ledger keeps nothing. This file defines only these two functions, so a
// test program that links its own recording ledger never pulls it from the archive.
#include "editor/win32/handle_ledger.h"

void NoteHandleMade(LedgerKind /*kind*/, std::uintptr_t /*handle*/) {}

void NoteHandleFreed(LedgerKind /*kind*/, std::uintptr_t /*handle*/) {}
