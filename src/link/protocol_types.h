#pragma once

#include <cstdint>

namespace tessel {

// Frame variant: Type1 has one-byte length and command fields and six status
// bytes; Type2 has encoded-word fields and eight status bytes.
enum class TPacketFormat : std::uint8_t { protocol_Type1 = 0, protocol_Type2 = 1 };

enum class TTargetSize : std::uint8_t { tsByte = 0, tsWord = 1 };

// Which of the four per-bit error flags of the status table count.
enum class TErrorChecking : std::uint8_t {
    ccProduction = 0,
    ccDevelopmentAndTest = 1,
    ccService = 2,
    ccEndUser = 3,
};

// Which transport carries the exchange; only the first two have one.
enum class TCommunicationType : std::uint8_t {
    ct_RS232 = 0,
    ct_TCPIP = 1,
    ct_Bluetooth = 2,
    ct_Linea_RS = 3,
    ct_Unknown = 4,
};

}  // namespace tessel
