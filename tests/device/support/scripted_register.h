#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/protocol_types.h"
#include "util/bytes.h"

namespace tessel::test {

// A register that answers each request frame as its script says, on a
// loopback TCP port (one connection after another) or on the master side of
// a pseudo-terminal standing in for a serial line. It records every request
// it parsed, in wire order.
class ScriptedRegister {
public:
    struct Request {
        std::uint8_t seq = 0;
        std::uint16_t command = 0;
        Bytes data;
    };
    struct Reply {
        // Nak: a single NAK byte instead of an answer.
        enum class Kind { Answer, Silent, Nak, Close } kind = Kind::Answer;
        Bytes data;
        Bytes status;  // empty: every status byte 0x80
    };
    using Script = std::function<Reply(const Request&)>;

    enum class Line { Tcp, Serial };

    explicit ScriptedRegister(TPacketFormat format, Line line = Line::Tcp);
    ~ScriptedRegister();
    ScriptedRegister(const ScriptedRegister&) = delete;
    ScriptedRegister& operator=(const ScriptedRegister&) = delete;

    std::uint16_t port() const { return fPort; }
    // The serial line's device path (Line::Serial).
    const std::string& portName() const { return fSlavePath; }
    void setScript(Script script);
    std::vector<Request> requests() const;
    std::vector<std::uint16_t> commands() const;
    // Bytes received that did not form a well-formed request frame.
    std::size_t strayBytes() const;

    static Reply answer(std::string_view text);
    static Reply answerBytes(Bytes data);
    static Reply of(Reply::Kind kind);

private:
    void openListener();
    void openSerialLine();
    void serve();
    bool sendAll(int fd, const Bytes& bytes) const;
    void serveConnection(int fd);
    // Parses whole frames off the front of pending; answers each.
    bool consumeFrames(int fd, Bytes& pending);
    std::size_t frameLength(const Bytes& pending) const;

    TPacketFormat fFormat;
    Line fLine;
    int fListener = -1;
    int fMaster = -1;
    // Kept open so the line never hangs up while the connector reopens it.
    int fSlave = -1;
    std::string fSlavePath;
    std::uint16_t fPort = 0;
    std::atomic<bool> fStop{false};
    mutable std::mutex fMutex;
    Script fScript;
    std::vector<Request> fRequests;
    std::size_t fStray = 0;
    std::thread fThread;
};

}  // namespace tessel::test
