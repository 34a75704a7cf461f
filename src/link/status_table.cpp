#include "link/status_table.h"

#include <algorithm>

namespace tessel {

namespace {

bool inRange(int byteIndex, int bitIndex) {
    return byteIndex >= 0 && byteIndex < kStatusByteSlots && bitIndex >= 0 &&
           bitIndex < kStatusBitsPerByte;
}

bool errorFlag(const TBitStauts& b, TErrorChecking forCase) {
    switch (forCase) {
        case TErrorChecking::ccProduction:
            return b.itIsError_ForProduction;
        case TErrorChecking::ccDevelopmentAndTest:
            return b.itIsError_ForDevelopmentAndTest;
        case TErrorChecking::ccService:
            return b.itIsError_ForService;
        case TErrorChecking::ccEndUser:
            return b.itIsError_ForEndUser;
    }
    return false;
}

bool* errorFlag(TBitStauts& b, TErrorChecking forCase) {
    switch (forCase) {
        case TErrorChecking::ccProduction:
            return &b.itIsError_ForProduction;
        case TErrorChecking::ccDevelopmentAndTest:
            return &b.itIsError_ForDevelopmentAndTest;
        case TErrorChecking::ccService:
            return &b.itIsError_ForService;
        case TErrorChecking::ccEndUser:
            return &b.itIsError_ForEndUser;
    }
    return nullptr;
}

}  // namespace

TFPStatuses::TFPStatuses(std::int32_t statusByteCount)
    : fStatusByteCount(std::clamp(statusByteCount, 6, 8)) {
    init_Statuses();
}

TBitStauts* TFPStatuses::bitAt(int byteIndex, int bitIndex) {
    return inRange(byteIndex, bitIndex) ? &statusBitSet[byteIndex][bitIndex] : nullptr;
}

const TBitStauts* TFPStatuses::bitRecord(int byteIndex, int bitIndex) const {
    return inRange(byteIndex, bitIndex) ? &statusBitSet[byteIndex][bitIndex] : nullptr;
}

void TFPStatuses::init_Statuses() {
    for (int byteIndex = 0; byteIndex < kStatusByteSlots; ++byteIndex) {
        for (int bitIndex = 0; bitIndex < kStatusBitsPerByte; ++bitIndex) {
            const std::string text =
                "Status bit[" + std::to_string(byteIndex) + "," + std::to_string(bitIndex) + "]";
            statusBitSet[byteIndex][bitIndex] = TBitStauts{.currentState = false,
                                                           .inUse = true,
                                                           .description_00 = text,
                                                           .description_01 = text,
                                                           .description_02 = text};
        }
    }
}

bool TFPStatuses::set_StatusPacketFormat(TPacketFormat targetPacketFormat) {
    fPacketFormat = targetPacketFormat;
    const bool wide = targetPacketFormat == TPacketFormat::protocol_Type2;
    fStatusByteCount = wide ? 8 : 6;
    fCommandSize = wide ? TTargetSize::tsWord : TTargetSize::tsByte;
    fDataLengthSize = fCommandSize;
    return true;
}

bool TFPStatuses::get_State(int byteIndex, int bitIndex) const {
    const TBitStauts* b = bitRecord(byteIndex, bitIndex);
    return b && b->currentState;
}

bool TFPStatuses::set_State(int byteIndex, int bitIndex, bool toValue) {
    TBitStauts* b = bitAt(byteIndex, bitIndex);
    if (!b) return false;
    b->currentState = toValue;
    return true;
}

bool TFPStatuses::get_BitInUse(int byteIndex, int bitIndex) const {
    const TBitStauts* b = bitRecord(byteIndex, bitIndex);
    return b && b->inUse;
}

bool TFPStatuses::set_BitInUse(int byteIndex, int bitIndex, bool toValue) {
    TBitStauts* b = bitAt(byteIndex, bitIndex);
    if (!b) return false;
    b->inUse = toValue;
    return true;
}

bool TFPStatuses::get_ByteInUse(int byteIndex) const {
    if (byteIndex >= 0 && byteIndex <= 5) return true;
    if (byteIndex == 6 || byteIndex == 7) return fPacketFormat == TPacketFormat::protocol_Type2;
    return false;
}

bool TFPStatuses::get_Checking(int byteIndex, int bitIndex) const {
    return get_CheckingFor(byteIndex, bitIndex, fCurrentSBytesCase);
}

bool TFPStatuses::get_CheckingFor(int byteIndex, int bitIndex, TErrorChecking forCase) const {
    const TBitStauts* b = bitRecord(byteIndex, bitIndex);
    return b && errorFlag(*b, forCase);
}

bool TFPStatuses::set_CheckingFor(int byteIndex, int bitIndex, bool toValue,
                                  TErrorChecking forCase) {
    TBitStauts* b = bitAt(byteIndex, bitIndex);
    bool* flag = b ? errorFlag(*b, forCase) : nullptr;
    if (!flag) return false;
    *flag = toValue;
    return true;
}

std::string TFPStatuses::get_Description(int byteIndex, int bitIndex) const {
    const TBitStauts* b = bitRecord(byteIndex, bitIndex);
    return b ? b->description_01 : std::string();
}

std::string TFPStatuses::get_Description(int byteIndex, int bitIndex, int languageIndex) const {
    const TBitStauts* b = bitRecord(byteIndex, bitIndex);
    if (!b) return {};
    switch (languageIndex) {
        case 1:
            return b->description_01;
        case 2:
            return b->description_02;
        default:
            return b->description_00;
    }
}

bool TFPStatuses::set_Description(int byteIndex, int bitIndex, const std::string& toValue) {
    TBitStauts* b = bitAt(byteIndex, bitIndex);
    if (!b) return false;
    b->description_00 = b->description_01 = b->description_02 = toValue;
    return true;
}

bool TFPStatuses::set_Description(int byteIndex, int bitIndex, int languageIndex,
                                  const std::string& toValue) {
    TBitStauts* b = bitAt(byteIndex, bitIndex);
    if (!b) return false;
    switch (languageIndex) {
        case 1:
            b->description_01 = toValue;
            break;
        case 2:
            b->description_02 = toValue;
            break;
        default:
            b->description_00 = toValue;
            break;
    }
    return true;
}

}  // namespace tessel
