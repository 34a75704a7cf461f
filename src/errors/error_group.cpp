#include "errors/error_group.h"

#include <algorithm>

#include "errors/catalogue_tables.h"

namespace tessel {

namespace {

constexpr TLanguageSet kAllLanguages =
    languageBit(TErrorLanguages::Bulgarian) | languageBit(TErrorLanguages::English) |
    languageBit(TErrorLanguages::Russian) | languageBit(TErrorLanguages::Romanian) |
    languageBit(TErrorLanguages::Poland);
constexpr TLanguageSet kNoPolish = kAllLanguages & ~languageBit(TErrorLanguages::Poland);
constexpr TLanguageSet kPinPadLanguages = languageBit(TErrorLanguages::Bulgarian) |
                                          languageBit(TErrorLanguages::English) |
                                          languageBit(TErrorLanguages::Russian);

// Groups without texts (nullptr) serve the maker's other devices and servers; their codes get
// the unknown-code text.
// clang-format off
constexpr TErrorGroup kGroups[] = {
    {1, 52, kPinPadLanguages, nullptr},                               // bank PIN pad results
    {-25, -1, kAllLanguages, englishTexts_General},
    {-10014, -10000, kAllLanguages, nullptr},                         // contactless card reader
    {-10530, -10500, kAllLanguages, englishTexts_ParameterChecks},
    {-16521, -16500, kAllLanguages, nullptr},                         // PIN pad communication engine
    {-20566, -20500, kNoPolish, nullptr},                             // voucher server
    {-23007, -23000, kAllLanguages, englishTexts_TcpClient},
    {-26017, -26000, kNoPolish, nullptr},                             // server device registry
    {-27015, -27000, kNoPolish, nullptr},                             // server device list
    {-28025, -28000, kNoPolish, nullptr},                             // server firmware file checks
    {-29014, -29000, kAllLanguages, nullptr},                         // server file upload
    {-33065, -33000, kAllLanguages, englishTexts_Communication},
    {-35006, -35000, kNoPolish, nullptr},                             // server task scheduling
    {-38014, -38000, kAllLanguages, nullptr},                         // production database
    {-42005, -42000, kNoPolish, englishTexts_LogoTransfer},
    {-43149, -43001, kAllLanguages, nullptr},                         // device management server database
    {-100008, -100001, kAllLanguages, englishTexts_DeviceGeneral},
    {-100116, -100100, kAllLanguages, englishTexts_FiscalMemory},
    {-100414, -100400, kAllLanguages, englishTexts_PrinterMechanism},
    {-100511, -100500, kAllLanguages, englishTexts_System},
    {-101016, -101000, kAllLanguages, englishTexts_CommonLogical},
    {-101500, -101500, kAllLanguages, englishTexts_Update},
    {-102018, -102000, kAllLanguages, englishTexts_BatteryOperatorRegister},
    {-103008, -103000, kAllLanguages, englishTexts_PluDatabase},
    {-104012, -104000, kAllLanguages, englishTexts_ServiceOperations},
    {-105013, -105000, kAllLanguages, englishTexts_ElectronicJournal},
    {-106004, -106000, kAllLanguages, englishTexts_ClientDatabase},
    {-107007, -107001, kAllLanguages, englishTexts_Certificates},
    {-109986, -109981, kAllLanguages, nullptr},                       // smart-card reader
    {-110025, -110000, kAllLanguages, englishTexts_SecureAccessModule},
    {-110112, -110100, kAllLanguages, englishTexts_DeviceState},
    {-110226, -110200, kAllLanguages, nullptr},                       // tax-authority data server
    {-110301, -110300, kAllLanguages, englishTexts_WorkingFiles},
    {-110496, -110400, kAllLanguages, nullptr},                       // tax-authority repository server
    {-110511, -110500, kAllLanguages, englishTexts_Modem},
    {-110601, -110601, kAllLanguages, englishTexts_ModemAccessPoint},
    {-110706, -110700, kAllLanguages, englishTexts_Network},
    {-110855, -110800, kAllLanguages, nullptr},                       // tax terminal
    {-110979, -110900, kNoPolish, nullptr},                           // fiscal storage of another market
    {-111094, -111000, kAllLanguages, englishTexts_RegistrationMode},
    {-111703, -111500, kAllLanguages, nullptr},                       // PIN pad attached to the register
    {-112008, -112000, kAllLanguages, englishTexts_PrinterCommands},
    {-112199, -112100, kAllLanguages, englishTexts_PrinterParameterSyntax},
    {-112299, -112200, kAllLanguages, englishTexts_PrinterParameterValues},
    {-113001, -113000, kAllLanguages, englishTexts_FlashMemory},
    {-114000, -114000, kAllLanguages, nullptr},                       // payment terminal
    {-117999, -114998, kAllLanguages, nullptr},                       // crypto module
    {-118007, -118000, kAllLanguages, englishTexts_ServerConnection},
    {-120003, -120000, kAllLanguages, englishTexts_Programming},
    {-150608, -150001, kNoPolish, englishTexts_LegacyDevice},
    {-170005, -170000, kAllLanguages, englishTexts_UsbStorage},
};
// clang-format on

}  // namespace

std::optional<std::string_view> textOf(TErrorTable table, std::int32_t code) {
    const auto it = std::partition_point(
        table.begin(), table.end(), [code](const TErrorText& entry) { return entry.code > code; });
    if (it == table.end() || it->code != code) return std::nullopt;
    return it->text;
}

std::optional<TErrorTable> TErrorGroup::table(TErrorLanguages language) const {
    // English is the only language whose texts we carry so far.
    if (!supports(language) || language != TErrorLanguages::English || !englishTexts) {
        return std::nullopt;
    }
    return englishTexts();
}

std::span<const TErrorGroup> errorGroups() {
    return kGroups;
}

const TErrorGroup* errorGroup_ByCode(std::int32_t code) {
    const auto it =
        std::partition_point(std::begin(kGroups), std::end(kGroups),
                             [code](const TErrorGroup& group) { return group.lowest > code; });
    if (it == std::end(kGroups) || !it->contains(code)) return nullptr;
    return it;
}

}  // namespace tessel
