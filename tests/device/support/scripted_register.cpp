#include "scripted_register.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

#include "link/frame.h"

namespace tessel::test {
namespace {

constexpr int kPollMs = 20;

}  // namespace

ScriptedRegister::ScriptedRegister(TPacketFormat format, Line line) : fFormat(format), fLine(line) {
    line == Line::Tcp ? openListener() : openSerialLine();
    fScript = [](const Request&) { return answer("0"); };
    fThread = std::thread([this] { serve(); });
}

ScriptedRegister::~ScriptedRegister() {
    fStop = true;
    fThread.join();
    for (int fd : {fListener, fMaster, fSlave}) {
        if (fd >= 0) ::close(fd);
    }
}

void ScriptedRegister::openListener() {
    fListener = ::socket(AF_INET, SOCK_STREAM, 0);
    int yes = 1;
    ::setsockopt(fListener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(fListener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(fListener, 4) != 0 ||
        ::getsockname(fListener, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fListener);
        throw std::runtime_error("scripted register: no loopback port");
    }
    fPort = ntohs(addr.sin_port);
}

void ScriptedRegister::openSerialLine() {
    char name[256] = {};
    if (::openpty(&fMaster, &fSlave, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("scripted register: no pseudo-terminal");
    }
    fSlavePath = name;
    termios t{};
    ::tcgetattr(fSlave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fSlave, TCSANOW, &t);
}

bool ScriptedRegister::sendAll(int fd, const Bytes& bytes) const {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = fLine == Line::Tcp
                              ? ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL)
                              : ::write(fd, bytes.data() + sent, bytes.size() - sent);
        if (n <= 0) return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void ScriptedRegister::setScript(Script script) {
    std::lock_guard lock(fMutex);
    fScript = std::move(script);
}

std::vector<ScriptedRegister::Request> ScriptedRegister::requests() const {
    std::lock_guard lock(fMutex);
    return fRequests;
}

std::vector<std::uint16_t> ScriptedRegister::commands() const {
    std::vector<std::uint16_t> out;
    for (const Request& r : requests()) out.push_back(r.command);
    return out;
}

std::size_t ScriptedRegister::strayBytes() const {
    std::lock_guard lock(fMutex);
    return fStray;
}

ScriptedRegister::Reply ScriptedRegister::answer(std::string_view text) {
    Reply r;
    r.data.assign(text.begin(), text.end());
    return r;
}

ScriptedRegister::Reply ScriptedRegister::answerBytes(Bytes data) {
    Reply r;
    r.data = std::move(data);
    return r;
}

ScriptedRegister::Reply ScriptedRegister::of(Reply::Kind kind) {
    Reply r;
    r.kind = kind;
    return r;
}

void ScriptedRegister::serve() {
    if (fLine == Line::Serial) {
        serveConnection(fMaster);
        return;
    }
    while (!fStop) {
        pollfd p{fListener, POLLIN, 0};
        if (::poll(&p, 1, kPollMs) <= 0) continue;
        int fd = ::accept(fListener, nullptr, nullptr);
        if (fd < 0) continue;
        serveConnection(fd);
        ::close(fd);
    }
}

void ScriptedRegister::serveConnection(int fd) {
    Bytes pending;
    std::uint8_t buffer[4096];
    while (!fStop) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, kPollMs) <= 0) continue;
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) return;
        pending.insert(pending.end(), buffer, buffer + n);
        if (!consumeFrames(fd, pending)) return;
    }
}

std::size_t ScriptedRegister::frameLength(const Bytes& pending) const {
    if (fFormat == TPacketFormat::protocol_Type2) {
        if (pending.size() < 1 + frame::kWordSize) return 0;
        std::size_t n = frame::decodeWord(&pending[1]) - 0x2A;
        return 16 + n;
    }
    if (pending.size() < 2) return 0;
    return 10 + static_cast<std::size_t>(pending[1] - 0x24);
}

bool ScriptedRegister::consumeFrames(int fd, Bytes& pending) {
    const bool type2 = fFormat == TPacketFormat::protocol_Type2;
    while (!pending.empty()) {
        if (pending.front() != frame::kPreamble) {
            std::lock_guard lock(fMutex);
            ++fStray;
            pending.erase(pending.begin());
            continue;
        }
        std::size_t length = frameLength(pending);
        if (length == 0 || pending.size() < length) return true;
        Request request;
        std::size_t pos = type2 ? 1 + frame::kWordSize : 2;
        request.seq = pending[pos++];
        request.command = type2 ? frame::decodeWord(&pending[pos]) : pending[pos];
        pos += type2 ? frame::kWordSize : 1;
        std::size_t dataEnd = length - 6;
        request.data.assign(pending.begin() + static_cast<std::ptrdiff_t>(pos),
                            pending.begin() + static_cast<std::ptrdiff_t>(dataEnd));
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(length));

        Script script;
        {
            std::lock_guard lock(fMutex);
            fRequests.push_back(request);
            script = fScript;
        }
        Reply reply = script(request);
        if (reply.kind == Reply::Kind::Close) return false;
        if (reply.kind == Reply::Kind::Silent) continue;
        if (reply.kind == Reply::Kind::Nak) {
            if (!sendAll(fd, Bytes{frame::kNak})) return false;
            continue;
        }
        Bytes status = reply.status;
        if (status.empty()) status.assign(frame::statusByteCount(fFormat), 0x80);
        if (!sendAll(fd, frame::buildAnswer(fFormat, request.seq, request.command, reply.data,
                                            status))) {
            return false;
        }
    }
    return true;
}

}  // namespace tessel::test
