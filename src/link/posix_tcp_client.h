#pragma once

// A blocking TCP client on POSIX sockets: connect within a time limit,
// receives bounded by the socket's receive time-out and served from our own
// buffer (one system call per burst, the wait included), sends that survive
// partial writes and never raise SIGPIPE. Answers are errno values (0 for
// success).

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/wait_hook.h"

namespace tessel {

class TPosixTcpClient {
public:
    TPosixTcpClient() = default;
    ~TPosixTcpClient() { disconnect(); }
    TPosixTcpClient(const TPosixTcpClient&) = delete;
    TPosixTcpClient& operator=(const TPosixTcpClient&) = delete;

    // Resolves host (a name or a numeric address) and connects within limit;
    // on failure reason names the cause.
    int connect(const std::string& host, std::uint16_t port, std::chrono::milliseconds limit,
                std::string& reason);
    // Connected, and the peer has not closed, or its last bytes still wait in
    // our buffer. Notices a close that has already arrived.
    bool connected();
    // What is known without asking the system: connected, and no close seen
    // yet that has left the buffer empty. Reads and writes find out the rest.
    bool isOpen() const { return fFd >= 0 && (!fPeerClosed || !inputEmpty()); }
    void disconnect();

    // Waits at most timeout for count bytes; answers how many came. error is
    // 0 on a time-out, ECONNRESET when the peer has closed.
    std::size_t read(std::uint8_t* out, std::size_t count, std::chrono::milliseconds timeout,
                     int& error);
    // Waits at most timeout for input; true when some is there.
    bool waitReadable(std::chrono::milliseconds timeout);
    bool inputEmpty() const { return fBufferPos == fBufferLen; }
    // Drops what is buffered here and what the system holds already.
    void discardInput();
    // Sends everything, waiting at most limit for room; error 0 when all went.
    std::size_t write(const std::uint8_t* bytes, std::size_t count, std::chrono::milliseconds limit,
                      int& error);

    // Called between the slices of every wait (see wait_hook.h).
    void setWaitHook(TWaitHook hook) { fWaitHook = std::move(hook); }

private:
    // One receive into the buffer, waiting at most waitMs (0: not at all);
    // false on a time-out or an error.
    bool fillBuffer(int waitMs, int& error);
    // Sets SO_RCVTIMEO or SO_SNDTIMEO unless it already has that value.
    bool setTimeout(int option, int ms, int& cached);

    int fFd = -1;
    // When the last connection check found no input waiting.
    std::chrono::steady_clock::time_point fFoundEmptyAt{};
    int fReceiveTimeoutMs = -1;
    int fSendTimeoutMs = -1;
    bool fPeerClosed = false;
    std::array<std::uint8_t, 4096> fBuffer{};
    std::size_t fBufferPos = 0;
    std::size_t fBufferLen = 0;
    TWaitHook fWaitHook;
};

}  // namespace tessel
