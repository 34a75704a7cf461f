#pragma once

// A byte link to one host: a TCP connection or the master side of a
// pseudo-terminal.

#include <cstddef>
#include <cstdint>

#include "sim/sim_stop.h"
#include "util/bytes.h"

namespace tessel::sim {

class FdStream {
public:
    enum class Status { data, timeout, closed, stopped };

    // The stream does not own fd. Connections arriving on refuseFd (a
    // listening socket, -1 for none) while this one is served are closed at
    // once: the register talks to one host at a time.
    FdStream(int fd, const StopSignal& stop, int refuseFd = -1);

    // Reads what is available, waiting up to timeoutMs for the first byte.
    Status read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, std::size_t& got);
    // Writes everything; false when the host is gone or a stop came.
    bool write(ByteView bytes);

    const StopSignal& stop() const { return stop_; }

private:
    void refuseWaitingConnections();

    int fd_;
    const StopSignal& stop_;
    int refuseFd_;
    bool socket_;  // send() on a socket, write() on a terminal
};

}  // namespace tessel::sim
