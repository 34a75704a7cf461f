#pragma once

// A small scripted register for the transports: it reads framed requests
// (protocol_Type2) from a byte stream and answers each as its script says.
// It runs on its own thread over a pseudo-terminal's master side or over the
// connections a loopback listener accepts, one after the other.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "util/bytes.h"

namespace tessel::test {

class LoopbackListener;

struct RequestFrame {
    std::uint8_t seq = 0;
    std::uint16_t command = 0;
    Bytes data;
};

// What the register sends back: any bytes (an answer frame, SYN, NAK, or
// nothing at all for silence), then optionally hangs up.
struct ResponderReply {
    Bytes bytes;
    bool hangUp = false;
};

using ResponderScript = std::function<ResponderReply(const RequestFrame&)>;

// A well-formed answer carrying data, with status bytes that flag nothing.
ResponderReply answerFrame(const RequestFrame& request, const Bytes& data);
// Answers every request with field 0 = "0", a TAB and the request data.
ResponderReply echoAnswer(const RequestFrame& request);

class FrameResponder {
public:
    // Serves a stream it does not own (a pseudo-terminal master).
    FrameResponder(int streamFd, ResponderScript script);
    // Serves every connection the listener accepts.
    FrameResponder(const LoopbackListener& listener, ResponderScript script);
    ~FrameResponder();
    FrameResponder(const FrameResponder&) = delete;
    FrameResponder& operator=(const FrameResponder&) = delete;

    // The requests seen so far, in order.
    std::vector<RequestFrame> requests() const;

private:
    void serveStream(int fd);
    void serveListener(const LoopbackListener& listener);

    ResponderScript fScript;
    std::atomic<bool> fStop{false};
    mutable std::mutex fMutex;
    std::vector<RequestFrame> fRequests;
    std::thread fThread;
};

}  // namespace tessel::test
