#include "link/posix_tcp_client.h"

#include <errno.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>

namespace tessel {
namespace {

using Clock = std::chrono::steady_clock;

// How long input found empty by a connection check still counts as empty.
constexpr std::chrono::microseconds kStillEmpty{200};

int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, std::numeric_limits<int>::max()));
}

// A time-out as a wait of at least one millisecond.
int asWait(std::chrono::milliseconds t) {
    return static_cast<int>(std::clamp<long long>(t.count(), 1, std::numeric_limits<int>::max()));
}

// Connects one resolved address; 0 or errno.
int connectOne(const addrinfo& a, Clock::time_point deadline, const TWaitHook& hook,
               int& fdOut) {
    const int fd =
        ::socket(a.ai_family, a.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a.ai_protocol);
    if (fd < 0) return errno;
    int error = 0;
    if (::connect(fd, a.ai_addr, a.ai_addrlen) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            const int ready = pollWaiting(fd, POLLOUT, remainingMs(deadline), hook);
            socklen_t len = sizeof error;
            if (ready == 0) {
                error = ETIMEDOUT;
            } else if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0) {
                error = errno;
            }
        }
    }
    if (error != 0) {
        ::close(fd);
        return error;
    }
    // Requests are small and answered at once: do not hold them back.
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    // From here on receives and sends block, bounded by the socket's own
    // time-outs: a wait and its read are one system call.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fdOut = fd;
    return 0;
}

}  // namespace

int TPosixTcpClient::connect(const std::string& host, std::uint16_t port,
                             std::chrono::milliseconds limit, std::string& reason) {
    disconnect();
    const auto deadline = Clock::now() + limit;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (const int rc = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found); rc != 0) {
        reason = "cannot resolve " + host + ": " + ::gai_strerror(rc);
        return EHOSTUNREACH;
    }
    std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> list(found, ::freeaddrinfo);
    int error = EHOSTUNREACH;
    for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
        error = connectOne(*a, deadline, fWaitHook, fFd);
        if (error == 0) {
            fReceiveTimeoutMs = fSendTimeoutMs = -1;
            fPeerClosed = false;
            fBufferPos = fBufferLen = 0;
            return 0;
        }
    }
    reason = "cannot connect to " + host + ":" + service + ": " + std::strerror(error);
    return error;
}

bool TPosixTcpClient::connected() {
    if (fFd < 0) return false;
    if (!fPeerClosed && inputEmpty() && Clock::now() - fFoundEmptyAt >= kStillEmpty) {
        // Bytes or a close that already arrived; nothing at all is no news.
        // Input found empty a moment ago is not asked about again: a close
        // arriving meanwhile could equally have come right after the answer.
        int error = 0;
        if (!fillBuffer(0, error) && !fPeerClosed) fFoundEmptyAt = Clock::now();
    }
    return !fPeerClosed || !inputEmpty();
}

void TPosixTcpClient::disconnect() {
    if (fFd >= 0) ::close(fFd);
    fFd = -1;
    fPeerClosed = false;
    fBufferPos = fBufferLen = 0;
}

bool TPosixTcpClient::setTimeout(int option, int ms, int& cached) {
    if (ms == cached) return true;
    timeval tv{ms / 1000, (ms % 1000) * 1000};
    if (::setsockopt(fFd, SOL_SOCKET, option, &tv, sizeof tv) != 0) return false;
    cached = ms;
    return true;
}

bool TPosixTcpClient::fillBuffer(int waitMs, int& error) {
    fFoundEmptyAt = {};
    if (fPeerClosed) {
        error = ECONNRESET;
        return false;
    }
    if (fWaitHook && waitMs > 0) {
        // With a hook the wait goes in short slices (the caller keeps
        // painting); the data is then taken without blocking.
        if (pollWaiting(fFd, POLLIN, waitMs, fWaitHook) <= 0) return false;
        waitMs = 0;
    }
    if (waitMs > 0 && !setTimeout(SO_RCVTIMEO, waitMs, fReceiveTimeoutMs)) {
        error = errno;
        return false;
    }
    const int flags = waitMs > 0 ? 0 : MSG_DONTWAIT;
    ssize_t n;
    do {
        n = ::recv(fFd, fBuffer.data(), fBuffer.size(), flags);
    } while (n < 0 && errno == EINTR);
    if (n > 0) {
        fBufferPos = 0;
        fBufferLen = static_cast<std::size_t>(n);
        return true;
    }
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return false;  // time-out
    fPeerClosed = true;  // an orderly close (0) or a reset
    error = n == 0 ? ECONNRESET : errno;
    return false;
}

std::size_t TPosixTcpClient::read(std::uint8_t* out, std::size_t count,
                                  std::chrono::milliseconds timeout, int& error) {
    error = 0;
    if (fFd < 0) {
        error = ENOTCONN;
        return 0;
    }
    std::size_t done = 0;
    while (done < count) {
        if (!inputEmpty()) {
            const std::size_t n = std::min(count - done, fBufferLen - fBufferPos);
            std::memcpy(out + done, fBuffer.data() + fBufferPos, n);
            fBufferPos += n;
            done += n;
            continue;
        }
        // Each burst may take the whole time-out, as a blocking read's would.
        if (!fillBuffer(asWait(timeout), error)) break;
    }
    return done;
}

bool TPosixTcpClient::waitReadable(std::chrono::milliseconds timeout) {
    if (fFd < 0) return false;
    if (!inputEmpty()) return true;
    int error = 0;
    return fillBuffer(asWait(timeout), error);
}

void TPosixTcpClient::discardInput() {
    fBufferPos = fBufferLen = 0;
    // The exchange asks whether it is connected right before it clears; the
    // system's input was empty a moment ago, so asking again finds nothing
    // that could not equally have come a moment later.
    if (fFd < 0 || Clock::now() - fFoundEmptyAt < kStillEmpty) return;
    int error = 0;
    // Whatever has arrived so far goes; nothing is waited for.
    while (fillBuffer(0, error)) fBufferPos = fBufferLen = 0;
}

std::size_t TPosixTcpClient::write(const std::uint8_t* bytes, std::size_t count,
                                   std::chrono::milliseconds limit, int& error) {
    error = 0;
    if (fFd < 0) {
        error = ENOTCONN;
        return 0;
    }
    fFoundEmptyAt = {};  // an answer to this may be on its way at once
    if (!setTimeout(SO_SNDTIMEO, asWait(limit), fSendTimeoutMs)) {
        error = errno;
        return 0;
    }
    std::size_t done = 0;
    while (done < count) {
        // MSG_NOSIGNAL: a peer that has gone answers EPIPE instead of killing us.
        const ssize_t n = ::send(fFd, bytes + done, count - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        error = n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) ? ETIMEDOUT
                : n == 0                                           ? EIO
                                                                   : errno;
        if (error == EPIPE || error == ECONNRESET) fPeerClosed = true;
        break;
    }
    return done;
}

}  // namespace tessel
