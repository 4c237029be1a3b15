#include "platform/thread_identity.h"

#include <windows.h>

std::uintptr_t CurrentThreadIdentity() {
    return static_cast<std::uintptr_t>(GetCurrentThreadId());
}
