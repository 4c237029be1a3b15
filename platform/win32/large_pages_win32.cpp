// Windows gives large pages only to processes holding the lock-pages privilege, which a host does
// not grant its plug-ins: the hint is dropped.
#include "platform/large_pages.h"

void AdviseLargePages(void* /*data*/, std::size_t /*bytes*/) {}
