#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "errors/error_languages.h"
#include "link/status_table.h"

namespace tessel {

class TLowLevel;

// Read-only view of one status bit, refreshed from the table by TLowLevel so
// the state can be inspected as properties.
class TStatusBit {
public:
    const std::string& TextDescription() const { return fTextDescription; }
    bool InUse() const { return fInUse; }
    bool CurrentState() const { return fCurrentState; }
    bool Error_ForProduction() const { return fError_ForProduction; }
    bool Error_ForDevelopmentAndTest() const { return fError_ForDevelopmentAndTest; }
    bool Error_ForService() const { return fError_ForService; }
    bool Error_ForEndUser() const { return fError_ForEndUser; }

private:
    friend class TLowLevel;

    std::string fTextDescription;
    bool fError_ForService = false;
    bool fError_ForDevelopmentAndTest = false;
    bool fInUse = false;
    bool fError_ForEndUser = false;
    bool fCurrentState = false;
    bool fError_ForProduction = false;
};

// One status byte as last received, with its eight bits.
class TStatusByte {
public:
    const TStatusBit& Bit(int bitIndex) const {
        return fBits.at(static_cast<std::size_t>(bitIndex));
    }
    const TStatusBit& Bit_0() const { return fBits[0]; }
    const TStatusBit& Bit_1() const { return fBits[1]; }
    const TStatusBit& Bit_2() const { return fBits[2]; }
    const TStatusBit& Bit_3() const { return fBits[3]; }
    const TStatusBit& Bit_4() const { return fBits[4]; }
    const TStatusBit& Bit_5() const { return fBits[5]; }
    const TStatusBit& Bit_6() const { return fBits[6]; }
    const TStatusBit& Bit_7() const { return fBits[7]; }
    bool InUse() const { return fInUse; }
    std::uint8_t Value() const { return fValue; }

    void set_Value(std::uint8_t toValue) { fValue = toValue; }

private:
    friend class TLowLevel;

    std::array<TStatusBit, kStatusBitsPerByte> fBits;
    bool fInUse = false;
    std::uint8_t fValue = 0;
};

// The status table together with its mirror of eight status byte objects.
class TStatusBytes {
public:
    TStatusBytes() {
        sBytes.setCurrentSBytesCase(TErrorChecking::ccEndUser);
        sBytes.set_StatusPacketFormat(TPacketFormat::protocol_Type1);
    }

    std::int32_t ByteCountInUse() const { return sBytes.statusByteCount(); }
    TErrorLanguages Language() const { return fLanguage; }
    void setLanguage(TErrorLanguages language) { fLanguage = language; }

    const TStatusByte& Byte(int byteIndex) const {
        return fBytes.at(static_cast<std::size_t>(byteIndex));
    }
    TStatusByte& Byte(int byteIndex) { return fBytes.at(static_cast<std::size_t>(byteIndex)); }
    const TStatusByte& Byte_0() const { return fBytes[0]; }
    const TStatusByte& Byte_1() const { return fBytes[1]; }
    const TStatusByte& Byte_2() const { return fBytes[2]; }
    const TStatusByte& Byte_3() const { return fBytes[3]; }
    const TStatusByte& Byte_4() const { return fBytes[4]; }
    const TStatusByte& Byte_5() const { return fBytes[5]; }
    const TStatusByte& Byte_6() const { return fBytes[6]; }
    const TStatusByte& Byte_7() const { return fBytes[7]; }

    TFPStatuses& table() { return sBytes; }
    const TFPStatuses& table() const { return sBytes; }

    // Copies Language only.
    void Assign(const TStatusBytes& source) { fLanguage = source.fLanguage; }

private:
    friend class TLowLevel;

    TErrorLanguages fLanguage = TErrorLanguages::English;
    TFPStatuses sBytes;
    std::array<TStatusByte, kStatusByteSlots> fBytes;
};

}  // namespace tessel
