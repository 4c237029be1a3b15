#include "platform/thread_identity.h"

#include <pthread.h>

std::uintptr_t CurrentThreadIdentity() {
    return static_cast<std::uintptr_t>(pthread_self());
}
