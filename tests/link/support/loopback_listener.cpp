#include "loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "pty_pair.h"

namespace tessel::test {

LoopbackListener::LoopbackListener() {
    fFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fFd < 0 || ::bind(fFd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
        ::listen(fFd, 8) != 0 || ::getsockname(fFd, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
        throw std::runtime_error("loopback listener failed");
    }
    fPort = ntohs(a.sin_port);
}

LoopbackListener::~LoopbackListener() {
    close();
}

void LoopbackListener::close() {
    if (fFd >= 0) ::close(fFd);
    fFd = -1;
}

int LoopbackListener::accept(std::chrono::milliseconds timeout) const {
    if (!waitReadable(fFd, timeout)) return -1;
    return ::accept4(fFd, nullptr, nullptr, SOCK_CLOEXEC);
}

std::uint16_t refusedPort() {
    LoopbackListener probe;
    return probe.port();  // closed again when probe goes
}

void sendAll(int fd, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0) throw std::runtime_error("send failed");
        done += static_cast<std::size_t>(n);
    }
}

Bytes receiveSome(int fd, std::size_t count, std::chrono::milliseconds timeout) {
    Bytes got;
    std::uint8_t chunk[4096];
    while (got.size() < count && waitReadable(fd, timeout)) {
        const ssize_t n = ::recv(fd, chunk, std::min(sizeof chunk, count - got.size()), 0);
        if (n <= 0) break;
        got.insert(got.end(), chunk, chunk + n);
    }
    return got;
}

}  // namespace tessel::test
