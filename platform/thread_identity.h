// A number that tells the calling thread from every other thread alive, obtained without touching
// the heap or thread-local storage (the real-time counters ask it from inside the allocation hook).
#pragma once

#include <cstdint>

std::uintptr_t CurrentThreadIdentity();
