#include "host/clap/clap_host_loop.h"

#include <thread>

// Windows plug-ins get no descriptors to watch; the loop only waits.
std::vector<ClapFd> WaitForFds(const std::vector<ClapFd>& /*fds*/, int timeoutMs) {
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    return {};
}
