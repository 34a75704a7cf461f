#include "frame_responder.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "link/frame.h"
#include "loopback_listener.h"

namespace tessel::test {
namespace {

constexpr int kPollMs = 20;  // how soon a stop request is noticed

// Type2 request: SOH, LEN(4), SEQ, CMD(4), data, postamble, BCC(4), ETX.
constexpr std::size_t kRequestOverhead = 16;
constexpr std::size_t kLenEnd = 5;

// Takes one complete request off the front of pending, if there is one;
// bytes before the preamble are dropped.
bool takeRequest(Bytes& pending, RequestFrame& request) {
    while (!pending.empty() && pending.front() != frame::kPreamble) pending.erase(pending.begin());
    if (pending.size() < kLenEnd) return false;
    const std::size_t dataLength = frame::decodeWord(&pending[1]) - 0x2A;
    const std::size_t total = kRequestOverhead + dataLength;
    if (pending.size() < total) return false;
    request.seq = pending[5];
    request.command = frame::decodeWord(&pending[6]);
    request.data.assign(pending.begin() + 10, pending.begin() + 10 + dataLength);
    pending.erase(pending.begin(), pending.begin() + total);
    return true;
}

void writeAll(int fd, const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        // send, so a client that has gone cannot kill the test with SIGPIPE.
        ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == ENOTSOCK) n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

ResponderReply answerFrame(const RequestFrame& request, const Bytes& data) {
    const Bytes status(8, 0x80);
    return {frame::buildAnswer(TPacketFormat::protocol_Type2, request.seq, request.command, data,
                               status),
            false};
}

ResponderReply echoAnswer(const RequestFrame& request) {
    Bytes data{'0', '\t'};
    data.insert(data.end(), request.data.begin(), request.data.end());
    return answerFrame(request, data);
}

FrameResponder::FrameResponder(int streamFd, ResponderScript script)
    : fScript(std::move(script)), fThread([this, streamFd] { serveStream(streamFd); }) {}

FrameResponder::FrameResponder(const LoopbackListener& listener, ResponderScript script)
    : fScript(std::move(script)), fThread([this, &listener] { serveListener(listener); }) {}

FrameResponder::~FrameResponder() {
    fStop = true;
    fThread.join();
}

std::vector<RequestFrame> FrameResponder::requests() const {
    std::lock_guard lock(fMutex);
    return fRequests;
}

void FrameResponder::serveStream(int fd) {
    Bytes pending;
    std::uint8_t chunk[4096];
    while (!fStop) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, kPollMs) <= 0) continue;
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) {
            // A pseudo-terminal master reads EIO while no one holds the port.
            if (p.revents & POLLHUP)
                std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            if (n == 0 || errno != EIO) return;
            continue;
        }
        pending.insert(pending.end(), chunk, chunk + n);
        RequestFrame request;
        while (takeRequest(pending, request)) {
            {
                std::lock_guard lock(fMutex);
                fRequests.push_back(request);
            }
            const ResponderReply reply = fScript(request);
            writeAll(fd, reply.bytes);
            if (reply.hangUp) return;
        }
    }
}

void FrameResponder::serveListener(const LoopbackListener& listener) {
    while (!fStop) {
        const int fd = listener.accept(std::chrono::milliseconds(kPollMs));
        if (fd < 0) continue;
        serveStream(fd);
        ::close(fd);
    }
}

}  // namespace tessel::test
