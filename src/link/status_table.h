#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "link/protocol_types.h"

namespace tessel {

// Format of the optional saved status table.
enum class TStatusFileFormats : std::uint8_t { sft_INI = 0, sft_XML = 1, sft_JSN = 2 };

// One status bit: its last received state, whether the model gives it a
// meaning, whether a set bit is an error in each checking case, and three
// description slots.
struct TBitStauts {
    bool currentState = false;
    bool inUse = true;
    bool itIsError_ForProduction = false;
    bool itIsError_ForDevelopmentAndTest = false;
    bool itIsError_ForService = false;
    bool itIsError_ForEndUser = false;
    std::string description_00;
    std::string description_01;
    std::string description_02;
};

// Every checking case, in the order the table sets them.
inline constexpr TErrorChecking kErrorCheckingCases[] = {
    TErrorChecking::ccProduction, TErrorChecking::ccDevelopmentAndTest, TErrorChecking::ccService,
    TErrorChecking::ccEndUser};

constexpr int kStatusByteSlots = 8;
constexpr int kStatusBitsPerByte = 8;

// [byte index][bit index]; bit 0 is the least significant bit of the byte.
using TStatuses = std::array<std::array<TBitStauts, kStatusBitsPerByte>, kStatusByteSlots>;

// The authoritative table of the 64 status bits. Byte and bit indexes are
// 0..7; an index outside that range reads as False or empty and is refused
// by the setters, so a caller's slip never touches memory it does not own.
class TFPStatuses {
public:
    // The requested byte count is clamped into 6..8.
    explicit TFPStatuses(std::int32_t statusByteCount = 6);

    void init_Statuses();
    bool set_StatusPacketFormat(TPacketFormat targetPacketFormat);

    bool get_State(int byteIndex, int bitIndex) const;
    bool set_State(int byteIndex, int bitIndex, bool toValue);
    bool get_BitInUse(int byteIndex, int bitIndex) const;
    bool set_BitInUse(int byteIndex, int bitIndex, bool toValue);
    bool get_ByteInUse(int byteIndex) const;

    bool get_Checking(int byteIndex, int bitIndex) const;
    bool get_CheckingFor(int byteIndex, int bitIndex, TErrorChecking forCase) const;
    bool set_CheckingFor(int byteIndex, int bitIndex, bool toValue, TErrorChecking forCase);

    std::string get_Description(int byteIndex, int bitIndex) const;
    std::string get_Description(int byteIndex, int bitIndex, int languageIndex) const;
    bool set_Description(int byteIndex, int bitIndex, const std::string& toValue);
    bool set_Description(int byteIndex, int bitIndex, int languageIndex,
                         const std::string& toValue);

    // The whole record of one bit, for the mirror refresh; null out of range.
    const TBitStauts* bitRecord(int byteIndex, int bitIndex) const;

    std::int32_t statusByteCount() const { return fStatusByteCount; }
    TPacketFormat packetFormat() const { return fPacketFormat; }
    TTargetSize commandSize() const { return fCommandSize; }
    TTargetSize dataLengthSize() const { return fDataLengthSize; }
    TErrorChecking currentSBytesCase() const { return fCurrentSBytesCase; }
    void setCurrentSBytesCase(TErrorChecking c) { fCurrentSBytesCase = c; }

    const std::string& descriptionsFolder() const { return FdescriptionsFolder; }
    void setDescriptionsFolder(const std::string& folder) { FdescriptionsFolder = folder; }
    TStatusFileFormats fileFormat() const { return fFileFormat; }
    void setFileFormat(TStatusFileFormats format) { fFileFormat = format; }
    std::int32_t lastError() const { return fLastError; }

private:
    TBitStauts* bitAt(int byteIndex, int bitIndex);

    std::string FdescriptionsFolder;
    TStatusFileFormats fFileFormat = TStatusFileFormats::sft_INI;
    std::int32_t fLastError = 0;
    std::int32_t fStatusByteCount = 6;
    TStatuses statusBitSet;
    TPacketFormat fPacketFormat = TPacketFormat::protocol_Type1;
    TTargetSize fCommandSize = TTargetSize::tsByte;
    TTargetSize fDataLengthSize = TTargetSize::tsByte;
    TErrorChecking fCurrentSBytesCase = TErrorChecking::ccEndUser;
};

}  // namespace tessel
