#pragma once

#include <cstdint>

namespace tessel {

enum class TFiscalDeviceType : std::uint8_t { FiscalPrinter = 0, ElectronicCashRegister = 1 };

enum class TSCountries : std::uint8_t {
    Unknown = 0,
    Bulgaria = 1,
    Georgia = 2,
    Moldova = 3,
    Romania = 4,
    Austria = 5,
    Kosovo = 6,
    Ethiopia = 7,
    Malawi = 8,
    Kenya = 9,
    Russia = 10,
    Kazakhstan = 11,
    Belarus = 12,
    FederationBosniaAndHerzegovina = 13,
    Poland = 14,
    Albania = 15,
    Serbia = 16,
};

// Stored for users of the component; the logo loader picks its parameter form by it.
enum class TErrorStyle : std::uint8_t { errorCode = 0, pfStyle = 1 };

// Where the value of a property comes from.
enum class TMorvik_ItIsType : std::uint8_t {
    st_Constant = 0,
    st_StatusBit = 1,
    st_oParam = 2,  // an output parameter of a command
    st_Calculation = 3,
};

// From which device state on a property may be used.
enum class TMayUseAfter : std::uint8_t {
    mua_NotSupported = 0,
    mua_Deprecated = 1,
    mua_Always = 2,
    mua_Open = 3,
    mua_OpenClaim = 4,
    mua_OpenClaimEnable = 5,
};

enum class TRWType : std::uint8_t { rwt_ReadWrite = 0, rwt_ReadOnly = 1 };

enum class TPacValueType : std::uint8_t { pvt_String = 0, pvt_Integer = 1, pvt_Boolean = 2 };

}  // namespace tessel
