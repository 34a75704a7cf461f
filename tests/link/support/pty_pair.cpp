#include "pty_pair.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace tessel::test {

PtyPair::PtyPair() {
    char name[256] = {};
    if (::openpty(&fMaster, &fSlave, name, nullptr, nullptr) != 0) {
        throw std::runtime_error("openpty failed");
    }
    fSlavePath = name;
    // Raw on both ends until the connector sets its own line: no echo of what
    // the register sends back into it.
    termios t{};
    ::tcgetattr(fSlave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fSlave, TCSANOW, &t);
}

PtyPair::~PtyPair() {
    ::close(fSlave);
    ::close(fMaster);
}

void PtyPair::send(const Bytes& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fMaster, bytes.data() + done, bytes.size() - done);
        if (n <= 0) throw std::runtime_error("pty write failed");
        done += static_cast<std::size_t>(n);
    }
}

Bytes PtyPair::receive(std::size_t count, std::chrono::milliseconds timeout) const {
    Bytes got;
    std::uint8_t chunk[4096];
    while (got.size() < count && waitReadable(fMaster, timeout)) {
        const ssize_t n = ::read(fMaster, chunk, std::min(sizeof chunk, count - got.size()));
        if (n <= 0) break;
        got.insert(got.end(), chunk, chunk + n);
    }
    return got;
}

bool waitReadable(int fd, std::chrono::milliseconds timeout) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, static_cast<int>(timeout.count())) > 0 && (p.revents & POLLIN);
}

}  // namespace tessel::test
