// Large pages for big blocks that are about to be written whole: where the system backs memory
// with large pages on request, a block of megabytes then faults in a few times instead of once
// per small page. Only a hint; nothing changes where it is not honoured.
#pragma once

#include <cstddef>

void AdviseLargePages(void* data, std::size_t bytes);
