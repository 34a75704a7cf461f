#pragma once

#include <chrono>
#include <cstdint>

#include "util/bytes.h"

namespace tessel::test {

// A TCP listener on 127.0.0.1 at a free port, playing the register's server.
class LoopbackListener {
public:
    LoopbackListener();
    ~LoopbackListener();
    LoopbackListener(const LoopbackListener&) = delete;
    LoopbackListener& operator=(const LoopbackListener&) = delete;

    std::uint16_t port() const { return fPort; }
    // The next connection, or -1 when none came within timeout. The caller
    // owns the descriptor.
    int accept(std::chrono::milliseconds timeout) const;
    void close();

private:
    int fFd = -1;
    std::uint16_t fPort = 0;
};

// A loopback port with nobody listening on it.
std::uint16_t refusedPort();

void sendAll(int fd, const Bytes& bytes);
// Collects up to count bytes, waiting at most timeout for each burst.
Bytes receiveSome(int fd, std::size_t count, std::chrono::milliseconds timeout);

}  // namespace tessel::test
