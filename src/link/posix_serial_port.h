#pragma once

// A serial port on POSIX: exclusive open, termios raw mode from the
// line-settings record, modem lines, and buffered reads with the time-outs of
// the time-out record. Answers are errno values (0 for success); the serial
// connector turns them into its codes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "link/serial_settings.h"
#include "link/wait_hook.h"

namespace tessel {

enum class TModemLine { DTR, RTS };

class TPosixSerialPort {
public:
    TPosixSerialPort() = default;
    ~TPosixSerialPort() { close(); }
    TPosixSerialPort(const TPosixSerialPort&) = delete;
    TPosixSerialPort& operator=(const TPosixSerialPort&) = delete;

    // Opens the device for reading and writing without making it the
    // controlling terminal, and locks it against every other opener
    // (TIOCEXCL plus flock). On failure reason names the cause.
    int open(const std::string& path, std::string& reason);
    bool isOpen() const { return fFd >= 0; }
    int fd() const { return fFd; }
    // 0, or the errno of close.
    int close();

    // The line as the port reports it; false when it cannot be read.
    bool readLineSettings(TDCB& dcb) const;
    // Applies speed, framing and the flag word: raw 8-bit binary without flow
    // control, parity checking or character substitution. EINVAL for a value
    // the line cannot take (an unknown speed, a byte size outside 5 to 8).
    int writeLineSettings(const TDCB& dcb);
    void setTimeouts(const TCommTimeouts& timeouts) { fTimeouts = timeouts; }

    // A port without modem lines (a pseudo-terminal) accepts the request.
    int setModemLine(TModemLine line, bool on);

    // Discards input and output, ours and the driver's.
    int purge();

    // Reads up to count bytes within the read time-outs; one system call per
    // burst, the rest served from our buffer. error is 0 on a time-out.
    std::size_t read(std::uint8_t* out, std::size_t count, int& error);
    // Writes everything within the write time-outs, through partial writes
    // and interruptions; error is 0 when all went out.
    std::size_t write(const std::uint8_t* bytes, std::size_t count, int& error);
    // Waits until the written bytes have left.
    int drain();

    // Called between the slices of every wait (see wait_hook.h).
    void setWaitHook(TWaitHook hook) { fWaitHook = std::move(hook); }

private:
    bool fillBuffer(int waitMs, int& error);

    int fFd = -1;
    TCommTimeouts fTimeouts;
    std::array<std::uint8_t, 4096> fBuffer{};
    std::size_t fBufferPos = 0;
    std::size_t fBufferLen = 0;
    TWaitHook fWaitHook;
};

}  // namespace tessel
