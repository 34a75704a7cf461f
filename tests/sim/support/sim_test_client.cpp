#include "sim_test_client.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "link/frame.h"
#include "util/code_page.h"

namespace tessel::sim::test {

std::string Answer::text() const {
    return decodeCodePage(data, kCodePage1251);
}

std::vector<std::string> Answer::fields() const {
    std::vector<std::string> fields;
    const std::string t = text();
    std::size_t start = 0;
    while (start < t.size()) {
        const std::size_t tab = t.find('\t', start);
        if (tab == std::string::npos) {
            fields.push_back(t.substr(start));
            break;
        }
        fields.push_back(t.substr(start, tab - start));
        start = tab + 1;
    }
    return fields;
}

std::int32_t Answer::code() const {
    const auto f = fields();
    if (kind != Kind::answer || f.empty()) return 1;
    return std::stoi(f[0]);
}

TestClient TestClient::tcp(std::uint16_t port, TPacketFormat format) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        if (fd >= 0) close(fd);
        throw std::runtime_error("cannot connect to the simulator");
    }
    return TestClient(fd, format);
}

TestClient TestClient::terminal(const std::string& path, TPacketFormat format) {
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    return TestClient(fd, format);
}

TestClient::TestClient(TestClient&& other) noexcept
    : fd_(other.fd_),
      format_(other.format_),
      seq_(other.seq_),
      lastRequest_(std::move(other.lastRequest_)) {
    other.fd_ = -1;
}

TestClient::~TestClient() {
    if (fd_ >= 0) close(fd_);
}

Bytes TestClient::request(std::uint8_t seq, std::uint16_t command,
                          std::string_view parameters) const {
    const Bytes data = encodeCodePage(parameters, kCodePage1251);
    Bytes out(frame::requestLayout(format_, data.size()).total());
    out.resize(frame::buildRequest(format_, seq, command, data, out));
    return out;
}

bool TestClient::send(ByteView bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == ENOTSOCK) n = write(fd_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

Answer TestClient::exchange(std::uint16_t command, std::string_view parameters) {
    lastRequest_ = request(seq_, command, parameters);
    seq_ = frame::nextSeq(format_, seq_);
    return repeat();
}

Answer TestClient::repeat() {
    if (!send(lastRequest_)) {
        Answer closed;
        closed.kind = Answer::Kind::closed;
        return closed;
    }
    return readAnswer();
}

bool TestClient::readByte(std::uint8_t& byte, int timeoutMs, bool& closed) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return false;
    const ssize_t n = read(fd_, &byte, 1);
    closed = n <= 0;
    return n == 1;
}

Bytes TestClient::readAll(int timeoutMs) {
    Bytes bytes;
    std::uint8_t b;
    bool closed = false;
    while (readByte(b, timeoutMs, closed)) bytes.push_back(b);
    return bytes;
}

Answer TestClient::readAnswer(int byteTimeoutMs) {
    Answer a;
    const bool type2 = format_ == TPacketFormat::protocol_Type2;
    std::uint16_t sum = 0;
    bool closed = false;
    auto next = [&](std::uint8_t& b, bool counted) {
        if (!readByte(b, byteTimeoutMs, closed)) return false;
        a.received.push_back(b);
        if (counted) sum = static_cast<std::uint16_t>(sum + b);
        return true;
    };
    auto fail = [&] {
        a.kind = closed ? Answer::Kind::closed : Answer::Kind::timeout;
        return a;
    };
    std::uint8_t b = 0;
    for (;;) {
        if (!next(b, false)) return fail();
        if (b == frame::kSyn) {
            ++a.syns;
            continue;
        }
        if (b == frame::kNak) {
            a.kind = Answer::Kind::nak;
            return a;
        }
        if (b == frame::kPreamble) break;
    }
    auto word = [&](std::uint16_t& value, bool counted) {
        std::uint8_t w[4];
        for (auto& x : w) {
            if (!next(x, counted)) return false;
        }
        value = frame::decodeWord(w);
        return true;
    };
    std::uint16_t len = 0;
    if (type2) {
        if (!word(len, true)) return fail();
    } else {
        if (!next(b, true)) return fail();
        len = b;
    }
    if (!next(a.seq, true)) return fail();
    if (type2) {
        if (!word(a.command, true)) return fail();
    } else {
        if (!next(b, true)) return fail();
        a.command = b;
    }
    const std::size_t n = len - frame::kLengthOffset - (type2 ? 19 : 11);
    for (std::size_t i = 0; i < n; ++i) {
        if (!next(b, true)) return fail();
        a.data.push_back(b);
    }
    if (!next(b, true) || b != frame::kSeparator) return fail();
    for (std::size_t i = 0; i < frame::statusByteCount(format_); ++i) {
        if (!next(b, true)) return fail();
        a.status.push_back(b);
    }
    if (!next(b, true) || b != frame::kPostamble) return fail();
    const std::uint16_t expected = sum;
    std::uint16_t bcc = 0;
    if (!word(bcc, false) || !next(b, false) || b != frame::kTerminator) return fail();
    a.kind = bcc == expected ? Answer::Kind::answer : Answer::Kind::badChecksum;
    return a;
}

}  // namespace tessel::sim::test
