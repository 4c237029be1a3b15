#include "host/clap/clap_host_loop.h"

#include <poll.h>
#include <thread>

std::vector<ClapFd> WaitForFds(const std::vector<ClapFd>& fds, int timeoutMs) {
    std::vector<ClapFd> ready;
    if (fds.empty()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
        return ready;
    }
    std::vector<pollfd> watched;
    for (const ClapFd& fd : fds) {
        short events = 0;
        events |= (fd.flags & CLAP_POSIX_FD_READ) != 0 ? POLLIN : 0;
        events |= (fd.flags & CLAP_POSIX_FD_WRITE) != 0 ? POLLOUT : 0;
        watched.push_back({fd.fd, events, 0});
    }
    if (poll(watched.data(), watched.size(), timeoutMs) <= 0) {
        return ready;
    }
    for (const pollfd& fd : watched) {
        clap_posix_fd_flags flags = 0;
        flags |= (fd.revents & POLLIN) != 0 ? CLAP_POSIX_FD_READ : 0;
        flags |= (fd.revents & POLLOUT) != 0 ? CLAP_POSIX_FD_WRITE : 0;
        flags |= (fd.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0 ? CLAP_POSIX_FD_ERROR : 0;
        if (flags != 0) {
            ready.push_back({fd.fd, flags});
        }
    }
    return ready;
}
