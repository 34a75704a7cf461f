#pragma once

// The raw baseline's side of a loopback connection: a plain TCP socket with
// TCP_NODELAY, as the connector under test uses, read with blocking receives.
// Exits the benchmark when the server cannot be reached or drops the line.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tessel::bench {

inline int connectLoopback(std::uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        std::perror("connect");
        std::exit(1);
    }
    return fd;
}

// Receives into buffer[from, upTo) with as many receives as it takes.
inline void receiveExactly(int fd, std::uint8_t* buffer, std::size_t from, std::size_t upTo) {
    while (from < upTo) {
        const ssize_t n = ::recv(fd, buffer + from, upTo - from, 0);
        if (n <= 0) {
            std::fprintf(stderr, "raw client: connection lost\n");
            std::exit(1);
        }
        from += static_cast<std::size_t>(n);
    }
}

}  // namespace tessel::bench
