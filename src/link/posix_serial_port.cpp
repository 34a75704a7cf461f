#include "link/posix_serial_port.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>

namespace tessel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kMaxDword = std::numeric_limits<std::uint32_t>::max();

struct Speed {
    std::uint32_t bitsPerSecond;
    speed_t code;
};
constexpr Speed kSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

bool speedCode(std::uint32_t bitsPerSecond, speed_t& code) {
    for (const auto& s : kSpeeds) {
        if (s.bitsPerSecond == bitsPerSecond) {
            code = s.code;
            return true;
        }
    }
    return false;
}

std::uint32_t bitsPerSecond(speed_t code) {
    for (const auto& s : kSpeeds) {
        if (s.code == code) return s.bitsPerSecond;
    }
    return 0;
}

// Milliseconds left until the deadline, never negative; poll's form.
int remainingMs(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, std::numeric_limits<int>::max()));
}

Clock::time_point deadlineAfter(std::uint64_t ms) {
    return Clock::now() + std::chrono::milliseconds(ms);
}

}  // namespace

int TPosixSerialPort::open(const std::string& path, std::string& reason) {
    close();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        reason = "cannot open " + path + ": " + std::strerror(error);
        return error;
    }
    // flock keeps out every other program that asks; TIOCEXCL keeps out the
    // rest, except the superuser.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        reason = path + " is in use by another program";
        ::close(fd);
        return error;
    }
    if (::ioctl(fd, TIOCEXCL) != 0) {
        const int error = errno;
        reason = path + " is not a serial port: " + std::strerror(error);
        ::close(fd);
        return error;
    }
    fFd = fd;
    fBufferPos = fBufferLen = 0;
    return 0;
}

int TPosixSerialPort::close() {
    if (fFd < 0) return 0;
    ::ioctl(fFd, TIOCNXCL);
    const int rc = ::close(fFd);
    fFd = -1;
    fBufferPos = fBufferLen = 0;
    return rc == 0 ? 0 : errno;
}

bool TPosixSerialPort::readLineSettings(TDCB& dcb) const {
    termios t{};
    if (fFd < 0 || ::tcgetattr(fFd, &t) != 0) return false;
    dcb = TDCB{};
    dcb.BaudRate = bitsPerSecond(cfgetospeed(&t));
    switch (t.c_cflag & CSIZE) {
        case CS5:
            dcb.ByteSize = 5;
            break;
        case CS6:
            dcb.ByteSize = 6;
            break;
        case CS7:
            dcb.ByteSize = 7;
            break;
        default:
            dcb.ByteSize = 8;
            break;
    }
    if (t.c_cflag & PARENB) {
        const bool odd = t.c_cflag & PARODD;
        dcb.Parity = (t.c_cflag & CMSPAR) ? (odd ? 3 : 4) : (odd ? 1 : 2);
    }
    dcb.StopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
    dcb.XonChar = static_cast<char>(t.c_cc[VSTART]);
    dcb.XoffChar = static_cast<char>(t.c_cc[VSTOP]);
    dcb.EofChar = static_cast<char>(t.c_cc[VEOF]);
    return true;
}

int TPosixSerialPort::writeLineSettings(const TDCB& dcb) {
    if (fFd < 0) return EBADF;
    termios t{};
    if (::tcgetattr(fFd, &t) != 0) return errno;
    speed_t speed;
    if (!speedCode(dcb.BaudRate, speed) || dcb.ByteSize < 5 || dcb.ByteSize > 8 || dcb.Parity > 4 ||
        dcb.StopBits > 2) {
        return EINVAL;
    }
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    constexpr tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag = (t.c_cflag & ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS)) |
                sizes[dcb.ByteSize - 5] | CREAD | CLOCAL;
    // Parity bits are generated as the record says; whether they are checked
    // is the flag word's business.
    switch (dcb.Parity) {
        case 1:
            t.c_cflag |= PARENB | PARODD;
            break;
        case 2:
            t.c_cflag |= PARENB;
            break;
        case 3:
            t.c_cflag |= PARENB | CMSPAR | PARODD;
            break;
        case 4:
            t.c_cflag |= PARENB | CMSPAR;
            break;
        default:
            break;
    }
    if (dcb.StopBits != 0) t.c_cflag |= CSTOPB;  // POSIX has no one and a half
    t.c_iflag &= ~(INPCK | IXON | IXOFF);
    if (dcb.Flags & (1u << 1)) t.c_iflag |= INPCK;
    if (dcb.Flags & (1u << 2)) t.c_cflag |= CRTSCTS;
    if (dcb.Flags & (1u << 8)) t.c_iflag |= IXON;
    if (dcb.Flags & (1u << 9)) t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    return ::tcsetattr(fFd, TCSANOW, &t) == 0 ? 0 : errno;
}

int TPosixSerialPort::setModemLine(TModemLine line, bool on) {
    if (fFd < 0) return EBADF;
    int bits = line == TModemLine::DTR ? TIOCM_DTR : TIOCM_RTS;
    if (::ioctl(fFd, on ? TIOCMBIS : TIOCMBIC, &bits) == 0) return 0;
    // A pseudo-terminal has no modem lines: nothing to set.
    return errno == ENOTTY || errno == EINVAL ? 0 : errno;
}

int TPosixSerialPort::purge() {
    if (fFd < 0) return EBADF;
    fBufferPos = fBufferLen = 0;
    return ::tcflush(fFd, TCIOFLUSH) == 0 ? 0 : errno;
}

bool TPosixSerialPort::fillBuffer(int waitMs, int& error) {
    const int ready = pollWaiting(fFd, POLLIN, waitMs, fWaitHook);
    if (ready < 0) {
        error = errno;
        return false;
    }
    if (ready == 0) return false;  // time-out
    ssize_t n;
    do {
        n = ::read(fFd, fBuffer.data(), fBuffer.size());
    } while (n < 0 && errno == EINTR);
    if (n > 0) {
        fBufferPos = 0;
        fBufferLen = static_cast<std::size_t>(n);
        return true;
    }
    if (n < 0 && errno == EAGAIN) return true;  // woken without data; wait again
    error = n == 0 ? EIO : errno;               // the line hung up
    return false;
}

std::size_t TPosixSerialPort::read(std::uint8_t* out, std::size_t count, int& error) {
    error = 0;
    if (fFd < 0) {
        error = EBADF;
        return 0;
    }
    if (fBufferLen - fBufferPos >= count) {  // the usual case: a byte of a burst
        std::memcpy(out, fBuffer.data() + fBufferPos, count);
        fBufferPos += count;
        return count;
    }
    const TCommTimeouts& to = fTimeouts;
    // Interval "infinite" with no total time-out: answer what is there at once.
    const bool immediate = to.ReadIntervalTimeout == kMaxDword &&
                           to.ReadTotalTimeoutMultiplier == 0 && to.ReadTotalTimeoutConstant == 0;
    const bool hasTotal = to.ReadTotalTimeoutMultiplier != 0 || to.ReadTotalTimeoutConstant != 0;
    const bool hasInterval = to.ReadIntervalTimeout != 0 && to.ReadIntervalTimeout != kMaxDword;
    const auto deadline = deadlineAfter(std::uint64_t{to.ReadTotalTimeoutMultiplier} * count +
                                        to.ReadTotalTimeoutConstant);
    std::size_t done = 0;
    while (done < count) {
        if (fBufferPos < fBufferLen) {
            const std::size_t n = std::min(count - done, fBufferLen - fBufferPos);
            std::memcpy(out + done, fBuffer.data() + fBufferPos, n);
            fBufferPos += n;
            done += n;
            continue;
        }
        int waitMs = -1;  // no time-out at all
        if (immediate) {
            waitMs = 0;
        } else if (hasTotal) {
            waitMs = remainingMs(deadline);
        }
        if (done > 0 && hasInterval) {
            const int interval = static_cast<int>(
                std::min<std::uint32_t>(to.ReadIntervalTimeout, std::numeric_limits<int>::max()));
            waitMs = waitMs < 0 ? interval : std::min(waitMs, interval);
        }
        if (!fillBuffer(waitMs, error)) break;
        if (fBufferPos == fBufferLen && hasTotal && remainingMs(deadline) == 0) break;
    }
    return done;
}

std::size_t TPosixSerialPort::write(const std::uint8_t* bytes, std::size_t count, int& error) {
    error = 0;
    if (fFd < 0) {
        error = EBADF;
        return 0;
    }
    const bool hasTotal =
        fTimeouts.WriteTotalTimeoutMultiplier != 0 || fTimeouts.WriteTotalTimeoutConstant != 0;
    const auto deadline =
        deadlineAfter(std::uint64_t{fTimeouts.WriteTotalTimeoutMultiplier} * count +
                      fTimeouts.WriteTotalTimeoutConstant);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fFd, bytes + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            const int waitMs = hasTotal ? remainingMs(deadline) : -1;
            if (waitMs == 0 || pollWaiting(fFd, POLLOUT, waitMs, fWaitHook) == 0) {
                error = ETIMEDOUT;
                break;
            }
            continue;
        }
        error = n == 0 ? EIO : errno;
        break;
    }
    return done;
}

int TPosixSerialPort::drain() {
    if (fFd < 0) return EBADF;
    int rc;
    do {
        rc = ::tcdrain(fFd);
    } while (rc != 0 && errno == EINTR);
    return rc == 0 ? 0 : errno;
}

}  // namespace tessel
