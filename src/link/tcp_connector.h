#pragma once

// TTCPIPConnector: the packet protocol's bytes over a TCP connection to the
// register, which is the server.

#include <chrono>
#include <cstdint>
#include <string>

#include "link/posix_tcp_client.h"
#include "link/transport_base.h"

namespace tessel {

// How long connecting may take before it counts as failed.
inline constexpr std::chrono::milliseconds kTcpConnectLimit{5000};
// One byte read waits at most this long by default.
inline constexpr std::chrono::milliseconds kTcpReadTimeout{1000};
// The register needs this pause after a connect before it answers the
// identification read.
inline constexpr std::chrono::milliseconds kTcpIdentificationPause{1800};
// A send the peer does not take within this long has failed.
inline constexpr std::chrono::milliseconds kTcpWriteLimit{5000};

class TTCPIPConnector : public TTransportBase {
public:
    TTCPIPConnector();
    // Disconnects without reporting: the error container may be gone by now.
    ~TTCPIPConnector() override;

    // Copies the address, the port (through their setters) and the per-byte
    // deadline.
    void Assign(const TTCPIPConnector& source);

    bool Active() const override;
    std::int32_t openConnection() override;
    std::int32_t closeConnection() override;
    std::int32_t clearIOBuffers() override;
    std::uint32_t writeBuffer(const std::uint8_t* buffer, std::uint32_t buffLength) override;
    bool readByte(std::uint8_t& b, std::uint32_t& bytesCount) override;

    // Called between the slices of every wait: connecting, the pause before
    // the identification, reads and writes (see wait_hook.h).
    void setWaitHook(TWaitHook hook);

    // Not used by the protocol.
    std::uint8_t readByte();
    std::uint32_t readBuffer(std::uint8_t* buffer, std::uint32_t buffLength);
    bool writeByte(std::uint8_t byteValue);
    // Waits up to the read time-out for input.
    bool check_Readable();

    // Both take effect only while not connected.
    const std::string& Address() const { return fAddress; }
    void setAddress(const std::string& v);
    std::uint16_t port() const { return fPort; }
    void setPort(std::uint16_t v);

    // The I/O handler's read time-out.
    std::chrono::milliseconds readTimeout() const { return fReadTimeout; }
    void setReadTimeout(std::chrono::milliseconds v) { fReadTimeout = v; }

private:
    void connectSteps();
    // Reads find the client disconnected: -1, logged and, in RaiseMode, raised.
    bool notConnected() const;
    bool readAndRecord(std::uint8_t* buffer, std::size_t count, std::uint32_t& bytesCount);

    // Connection state lives in the client; Active asks it, which may notice
    // a close the peer has sent.
    mutable TPosixTcpClient fClient;
    TWaitHook fWaitHook;
    std::string fAddress = "127.0.0.1";
    std::uint16_t fPort = 59000;
    std::chrono::milliseconds fReadTimeout = kTcpReadTimeout;
};

}  // namespace tessel
