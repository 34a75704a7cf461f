#include "link/status_model_table.h"

#include <array>
#include <cstdint>

namespace tessel {

namespace {

// Error cases of a bit as a mask over TErrorChecking.
constexpr std::uint8_t kP = 1u << static_cast<int>(TErrorChecking::ccProduction);
constexpr std::uint8_t kD = 1u << static_cast<int>(TErrorChecking::ccDevelopmentAndTest);
constexpr std::uint8_t kS = 1u << static_cast<int>(TErrorChecking::ccService);
constexpr std::uint8_t kE = 1u << static_cast<int>(TErrorChecking::ccEndUser);

struct ModelBit {
    const char* english;
    const char* romanian;
    std::uint8_t errorCases;  // 0: the bit is never an error and is left alone
};

// Bits marked "#" feed byte 0 bit 5 and bits marked "*" feed byte 4 bit 5;
// the register computes those OR bits itself.
// clang-format off
constexpr std::array<std::array<ModelBit, kStatusBitsPerByte>, kStatusByteSlots> kModelBits{{
    {{
        {"# Syntax error", "# Eroare sintaxa.", kP | kD | kS | kE},
        {"# Command code is invalid", "# Cod comanda invalid.", kP | kD | kS | kE},
        {"The real time clock is not synchronized", "Ceas intern desincronizat.", 0},
        {"No client display connected", "Afisaj client deconectat.", 0},
        {"# Failure in printing mechanism", "# Eroare mecanism tiparire.", kP | kD | kE},
        {"General error - this is OR of all errors marked with #", "Eroare Generala - Afisare asociata pentru erorile marcate cu #.", kD | kE},
        {"Cover is open", "Capac deschis.", kD | kE},
        {"Always 1", "Permanent 1.", 0},
    }},
    {{
        {"# Overflow during command execution", "# depasire de memorie in timpul executiei.", kP | kD | kE},
        {"# Command is not permitted", "# Comanda nepermisa.", kP | kD | kE},
        {"More than 24 hours after day opening", "Depasire 24 ore de la ultima vanzare.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 1", "Permanent 1.", 0},
    }},
    {{
        {"# End of paper", "# Sfarsit hartie.", kD | kE},
        {"Paper near end", "Se termina hartia.", 0},
        {"EJ is full", "JE plin.", kE},
        {"Fiscal receipt is open", "Bon fiscal deschis.", 0},
        {"EJ nearly full", "JE aproape plin.", 0},
        {"Nonfiscal receipt is open", "Bon nefiscal deschis.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 1", "Permanent 1.", 0},
    }},
    {{
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 1", "Permanent 1.", 0},
    }},
    {{
        {"* Error accessing data in the FM", "* Eroare la accesarea datelor din MF.", kP | kD | kE},
        {"Tax number is set", "CUI inscris in MF.", 0},
        {"Serial number and number of FM are set", "Serie de fabricatie si seria fiscala inscrise in MF.", 0},
        {"There is space for less than 60 reports in Fiscal memory", "Spatiu in MF pentru mai putin de 60 rapoarte.", 0},
        {"* Fiscal memory is full", "* Memorie Fiscala plina.", kP | kD | kE},
        {"OR of all errors marked with ‘*’ from Bytes 4 č 5", "Afisare asociata pentru erorile marcate cu ‘*’ la octetii 4 si 5.", kP | kD | kE},
        {"Fiscal memory is not found or damaged", "Memorie fiscala inexistenta sau defecta.", kP | kD | kE},
        {"Always 1", "Permanent 1.", 0},
    }},
    {{
        {"Always 0", "Permanent 0.", 0},
        {"FM is formated", "MF formatata.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Device is fiscalized", "Aparat fiscalizat.", 0},
        {"VAT are set at least once", "TVA inscris cel putin odata.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 0", "Permanent 0.", 0},
        {"Always 1", "Permanent 1.", 0},
    }},
    {{
        {"Always 0", "Always 0", 0},
        {"Always 0", "Always 0", 0},
        {"Always 0", "Always 0", 0},
        {"Always 0", "Always 0", 0},
        {"Always 0", "Always 0", 0},
        {"Always 0", "Always 0", 0},
        {"Always 0", "Always 0", 0},
        {"Always 1", "Always 1", 0},
    }},
    {{
        {"Always 0.", "Always 0.", 0},
        {"Always 0.", "Always 0.", 0},
        {"Always 0", "Always 0", 0},
        {"Always 0.", "Always 0.", 0},
        {"Always 0.", "Always 0.", 0},
        {"Always 0.", "Always 0.", 0},
        {"Always 0.", "Always 0.", 0},
        {"Always 1.", "Always 1.", 0},
    }},
}};
// clang-format on

}  // namespace

std::string get_StatusBitText(int byteIndex, int bitIndex, int selector) {
    if (byteIndex < 0 || byteIndex >= kStatusByteSlots || bitIndex < 0 ||
        bitIndex >= kStatusBitsPerByte) {
        return {};
    }
    const ModelBit& bit = kModelBits[byteIndex][bitIndex];
    return selector == 1 ? bit.romanian : bit.english;
}

void set_sByteErrors(TLowLevel& lowLevel, int byteIndex) {
    if (byteIndex < 0 || byteIndex >= kStatusByteSlots) return;
    for (int bitIndex = 0; bitIndex < kStatusBitsPerByte; ++bitIndex) {
        const std::uint8_t cases = kModelBits[byteIndex][bitIndex].errorCases;
        if (cases == 0) continue;
        for (TErrorChecking c : kErrorCheckingCases) {
            const bool isError = (cases & (1u << static_cast<int>(c))) != 0;
            lowLevel.set_sBytesChecking(byteIndex, bitIndex, c, isError);
        }
    }
}

}  // namespace tessel
