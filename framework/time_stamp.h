// Local time with its offset from UTC, e.g. "20261208 07:38 +0200", for the construction trace.
#pragma once

#include <ctime>

// The stamp for the current time. The text is process-wide and overwritten by each call.
const char* TimeStampText();
// The stamp for a given calendar time (same storage).
const char* TimeStampTextAt(std::time_t now);
