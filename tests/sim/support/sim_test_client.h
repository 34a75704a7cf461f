#pragma once

// A small host for the simulator tests: builds requests with the frame
// codec, writes them to a socket or terminal and reads the register's answer
// byte by byte, as the device component will.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/protocol_types.h"
#include "util/bytes.h"

namespace tessel::sim::test {

struct Answer {
    enum class Kind { answer, nak, timeout, closed, badChecksum } kind = Kind::timeout;
    std::uint8_t seq = 0;
    std::uint16_t command = 0;
    Bytes data;
    Bytes status;
    int syns = 0;    // SYN bytes before the answer
    Bytes received;  // every byte read, SYN included

    // The data as UTF-8 text and split at TAB (a trailing TAB adds no field).
    std::string text() const;
    std::vector<std::string> fields() const;
    // Field 0 as a number; 1 when there is no answer.
    std::int32_t code() const;
    bool statusBit(int byte, int bit) const { return (status.at(byte) >> bit) & 1; }
};

class TestClient {
public:
    // Connects to the simulator's TCP port on the loopback interface.
    static TestClient tcp(std::uint16_t port, TPacketFormat format = TPacketFormat::protocol_Type2);
    // Opens a terminal (the simulator's pseudo-terminal) in raw mode.
    static TestClient terminal(const std::string& path,
                               TPacketFormat format = TPacketFormat::protocol_Type2);

    TestClient(TestClient&& other) noexcept;
    ~TestClient();

    // Sends the command with the next SEQ (0x20 first) and reads the answer.
    Answer exchange(std::uint16_t command, std::string_view parameters);
    // Sends the same request again, SEQ included: a host retry.
    Answer repeat();

    Bytes request(std::uint8_t seq, std::uint16_t command, std::string_view parameters) const;
    // False when the simulator has closed the link.
    bool send(ByteView bytes);
    Answer readAnswer(int byteTimeoutMs = 2000);
    // Reads whatever comes within the time; used after a cut answer.
    Bytes readAll(int timeoutMs);

    std::uint8_t nextSeq() const { return seq_; }

private:
    TestClient(int fd, TPacketFormat format) : fd_(fd), format_(format) {}
    bool readByte(std::uint8_t& byte, int timeoutMs, bool& closed);

    int fd_ = -1;
    TPacketFormat format_;
    std::uint8_t seq_ = 0x20;
    Bytes lastRequest_;
};

}  // namespace tessel::sim::test
