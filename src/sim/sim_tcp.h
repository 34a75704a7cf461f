#pragma once

// The TCP link: a listening socket that serves one host at a time.

#include <cstdint>
#include <string>

#include "sim/sim_stop.h"
#include "sim/sim_wire.h"

namespace tessel::sim {

class TcpServer {
public:
    TcpServer(WireEngine& engine, const StopSignal& stop) : engine_(engine), stop_(stop) {}
    ~TcpServer();
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    // Binds and listens; port 0 takes a free port. Throws std::runtime_error.
    void listen(const std::string& host, std::uint16_t port);
    std::uint16_t port() const { return port_; }

    // Accepts and serves hosts one after the other until the stop signal.
    void run();

private:
    WireEngine& engine_;
    const StopSignal& stop_;
    int listenFd_ = -1;
    std::uint16_t port_ = 0;
};

}  // namespace tessel::sim
