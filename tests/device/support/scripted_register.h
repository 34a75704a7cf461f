#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "link/protocol_types.h"
#include "util/bytes.h"

namespace tessel::test {

// A register on a loopback TCP port that answers each request frame as its
// script says. It accepts one connection after another and records every
// request it parsed, in wire order.
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

    explicit ScriptedRegister(TPacketFormat format);
    ~ScriptedRegister();
    ScriptedRegister(const ScriptedRegister&) = delete;
    ScriptedRegister& operator=(const ScriptedRegister&) = delete;

    std::uint16_t port() const { return fPort; }
    void setScript(Script script);
    std::vector<Request> requests() const;
    std::vector<std::uint16_t> commands() const;
    // Bytes received that did not form a well-formed request frame.
    std::size_t strayBytes() const;

    static Reply answer(std::string_view text);
    static Reply answerBytes(Bytes data);
    static Reply of(Reply::Kind kind);

private:
    void serve();
    void serveConnection(int fd);
    // Parses whole frames off the front of pending; answers each.
    bool consumeFrames(int fd, Bytes& pending);
    std::size_t frameLength(const Bytes& pending) const;

    TPacketFormat fFormat;
    int fListener = -1;
    std::uint16_t fPort = 0;
    std::atomic<bool> fStop{false};
    mutable std::mutex fMutex;
    Script fScript;
    std::vector<Request> fRequests;
    std::size_t fStray = 0;
    std::thread fThread;
};

}  // namespace tessel::test
