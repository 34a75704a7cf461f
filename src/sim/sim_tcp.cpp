#include "sim/sim_tcp.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace tessel::sim {

TcpServer::~TcpServer() {
    if (listenFd_ >= 0) close(listenFd_);
}

void TcpServer::listen(const std::string& host, std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
        throw std::runtime_error("\"" + host + "\" is not an IPv4 address");
    }
    listenFd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listenFd_ < 0) throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    const int on = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 4) != 0) {
        throw std::runtime_error("cannot listen on " + host + ":" + std::to_string(port) + ": " +
                                 std::strerror(errno));
    }
    socklen_t length = sizeof address;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
}

void TcpServer::run() {
    while (!stop_.triggered()) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {stop_.fd(), POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR) return;
        if (fds[1].revents) return;
        if (!fds[0].revents) continue;
        const int client = accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0) continue;
        const int on = 1;
        setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        FdStream stream(client, stop_, listenFd_);
        engine_.serve(stream);
        close(client);
    }
}

}  // namespace tessel::sim
