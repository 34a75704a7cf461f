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

}  // namespace tessel
