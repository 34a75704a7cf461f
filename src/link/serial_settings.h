#pragma once

// The line-settings and time-out records of a serial port, in the form the
// serial connector keeps and logs them.

#include <cstdint>

namespace tessel {

// Time-outs in milliseconds. A read of n bytes ends after
// ReadTotalTimeoutMultiplier * n + ReadTotalTimeoutConstant, or when the gap
// between two bytes exceeds ReadIntervalTimeout; writes likewise.
struct TCommTimeouts {
    std::uint32_t ReadIntervalTimeout = 3000;
    std::uint32_t ReadTotalTimeoutMultiplier = 0;
    std::uint32_t ReadTotalTimeoutConstant = 3200;  // one byte waits at most this long
    std::uint32_t WriteTotalTimeoutMultiplier = 3000;
    std::uint32_t WriteTotalTimeoutConstant = 3000;
};

// The line-settings record: speed, framing and the flag word of the port
// interface the connector was first written for. The POSIX layer maps it onto
// termios.
struct TDCB {
    std::uint32_t DCBlength = 28;
    std::uint32_t BaudRate = 0;
    std::uint32_t Flags = 0;
    std::uint16_t wReserved = 0;
    std::uint16_t XonLim = 0;
    std::uint16_t XoffLim = 0;
    std::uint8_t ByteSize = 0;
    std::uint8_t Parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::uint8_t StopBits = 0;  // 0 one, 1 one and a half, 2 two
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    std::uint16_t wReserved1 = 0;
};

// Flag word bits the connector writes.
inline constexpr std::uint32_t kDcbBinary = 1u << 0;
inline constexpr std::uint32_t kDcbTxContinueOnXoff = 1u << 7;
inline constexpr std::uint32_t kDcbWrittenBits = 0x7FFF;  // bits 0 to 14

}  // namespace tessel
