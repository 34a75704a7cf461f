#include "link/low_level.h"

namespace tessel {

TLowLevel::TLowLevel() : fStatusBytes(std::make_shared<TStatusBytes>()) {
    init_Statuses();
}

void TLowLevel::setStatusBytes(std::shared_ptr<TStatusBytes> statusBytes) {
    if (statusBytes) fStatusBytes = std::move(statusBytes);
}

void TLowLevel::setProtocolType(TPacketFormat format) {
    table().set_StatusPacketFormat(format);
    refresh_StatusBytes();
}

void TLowLevel::Assign(const TLowLevel& source) {
    if (&source == this) return;
    fStatusBytes = source.fStatusBytes;
    setProtocolType(source.ProtocolType());
    setErrorCheckType(source.errorCheckType());
}

void TLowLevel::init_Statuses() {
    table().init_Statuses();
    refresh_StatusBytes();
}

void TLowLevel::refresh_StatusBytes() {
    const TFPStatuses& t = table();
    for (int byteIndex = 0; byteIndex < kStatusByteSlots; ++byteIndex) {
        TStatusByte& mirror = fStatusBytes->fBytes[byteIndex];
        mirror.fInUse = t.get_ByteInUse(byteIndex);
        for (int bitIndex = 0; bitIndex < kStatusBitsPerByte; ++bitIndex) {
            const TBitStauts& src = *t.bitRecord(byteIndex, bitIndex);
            TStatusBit& bit = mirror.fBits[bitIndex];
            bit.fInUse = src.inUse;
            bit.fCurrentState = src.currentState;
            bit.fTextDescription = src.description_01;
            bit.fError_ForEndUser = src.itIsError_ForEndUser;
            bit.fError_ForService = src.itIsError_ForService;
            bit.fError_ForDevelopmentAndTest = src.itIsError_ForDevelopmentAndTest;
            bit.fError_ForProduction = src.itIsError_ForProduction;
        }
    }
}

bool TLowLevel::get_sBytesState(int byteIndex, int bitIndex) const {
    return table().get_State(byteIndex, bitIndex);
}

bool TLowLevel::get_sBytesBitInUse(int byteIndex, int bitIndex) const {
    return table().get_BitInUse(byteIndex, bitIndex);
}

bool TLowLevel::get_sBytesCheckingFor(int byteIndex, int bitIndex,
                                      TErrorChecking targetErrorCheckType) const {
    return table().get_CheckingFor(byteIndex, bitIndex, targetErrorCheckType);
}

std::string TLowLevel::get_sBytesDescription(int byteIndex, int bitIndex) const {
    return table().get_Description(byteIndex, bitIndex);
}

std::string TLowLevel::get_sBytesDescription(int byteIndex, int bitIndex, int languageIndex) const {
    return table().get_Description(byteIndex, bitIndex, languageIndex);
}

bool TLowLevel::set_sBytesState(int byteIndex, int bitIndex, bool toValue) {
    if (!table().set_State(byteIndex, bitIndex, toValue)) return false;
    fStatusBytes->fBytes[byteIndex].fBits[bitIndex].fCurrentState = toValue;
    return true;
}

bool TLowLevel::set_sBytesBitInUse(int byteIndex, int bitIndex, bool toValue) {
    return table().set_BitInUse(byteIndex, bitIndex, toValue);
}

bool TLowLevel::set_sBytesChecking(int byteIndex, int bitIndex, TErrorChecking errorCheckType,
                                   bool toValue) {
    return table().set_CheckingFor(byteIndex, bitIndex, toValue, errorCheckType);
}

bool TLowLevel::set_sBytesCheckingForAll(int byteIndex, int bitIndex, bool toValue) {
    for (TErrorChecking c : kErrorCheckingCases) {
        if (!set_sBytesChecking(byteIndex, bitIndex, c, toValue)) return false;
    }
    return true;
}

bool TLowLevel::set_sBytesDescription(int byteIndex, int bitIndex, const std::string& toValue) {
    return table().set_Description(byteIndex, bitIndex, toValue);
}

bool TLowLevel::set_sBytesDescription(int byteIndex, int bitIndex, int languageIndex,
                                      const std::string& toValue) {
    return table().set_Description(byteIndex, bitIndex, languageIndex, toValue);
}

bool TLowLevel::set_sBytesStatusPacketFormat(TPacketFormat targetPacketFormat) {
    return table().set_StatusPacketFormat(targetPacketFormat);
}

}  // namespace tessel
