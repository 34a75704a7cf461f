#include "sim/sim_stream.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace tessel::sim {

namespace {

bool isSocket(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISSOCK(info.st_mode);
}

}  // namespace

FdStream::FdStream(int fd, const StopSignal& stop, int refuseFd)
    : fd_(fd), stop_(stop), refuseFd_(refuseFd), socket_(isSocket(fd)) {}

void FdStream::refuseWaitingConnections() {
    const int extra = accept4(refuseFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (extra >= 0) close(extra);
}

FdStream::Status FdStream::read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs,
                                std::size_t& got) {
    got = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd fds[3] = {{fd_, POLLIN, 0}, {stop_.fd(), POLLIN, 0}, {refuseFd_, POLLIN, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        const int ready = poll(fds, refuseFd_ >= 0 ? 3 : 2,
                               left.count() > 0 ? static_cast<int>(left.count()) : 0);
        if (ready < 0 && errno != EINTR) return Status::closed;
        if (fds[1].revents) return Status::stopped;
        // The served host first: one that just left makes room for the next.
        if (fds[0].revents) {
            const ssize_t n = ::read(fd_, buffer, capacity);
            if (n > 0) {
                got = static_cast<std::size_t>(n);
                return Status::data;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
            return Status::closed;
        }
        if (refuseFd_ >= 0 && fds[2].revents) refuseWaitingConnections();
        if (ready == 0 && std::chrono::steady_clock::now() >= deadline) return Status::timeout;
    }
}

bool FdStream::write(ByteView bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::uint8_t* from = bytes.data() + done;
        const std::size_t left = bytes.size() - done;
        // MSG_NOSIGNAL: a host gone from a socket is an error here, not SIGPIPE.
        const ssize_t n =
            socket_ ? ::send(fd_, from, left, MSG_NOSIGNAL) : ::write(fd_, from, left);
        if (n >= 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (errno == EINTR) continue;
        if (errno != EAGAIN) return false;
        pollfd fds[2] = {{fd_, POLLOUT, 0}, {stop_.fd(), POLLIN, 0}};
        poll(fds, 2, -1);
        if (fds[1].revents) return false;
    }
    return true;
}

}  // namespace tessel::sim
