#include "errors/error_text.h"

#include <cstdint>
#include <string>

#include <gtest/gtest.h>

namespace tessel {
namespace {

std::string unknown(std::int32_t code) {
    return "General error/Unknown error. [" + std::to_string(code) + "]";
}

TEST(ErrorText, FallbackTextsForZeroAndCodesOutsideEveryGroup) {
    for (TErrorLanguages language :
         {TErrorLanguages::Bulgarian, TErrorLanguages::English, TErrorLanguages::Poland}) {
        EXPECT_EQ(errorText_ByCode(0, language), "No error");
    }
    EXPECT_EQ(errorText_ByCode(53, TErrorLanguages::English), "General error/Unknown error. [53]");
    EXPECT_EQ(errorText_ByCode(-26, TErrorLanguages::Poland), "General error/Unknown error. [-26]");
    EXPECT_EQ(errorText_ByCode(-99999, TErrorLanguages::English), unknown(-99999));
    EXPECT_EQ(errorText_ByCode(-200001, TErrorLanguages::English), unknown(-200001));
    EXPECT_EQ(errorText_ByCode(-2147483647 - 1, TErrorLanguages::English),
              "General error/Unknown error. [-2147483648]");
}

TEST(ErrorText, UnlistedCodeInsideAGroupWithATableHasNoText) {
    EXPECT_EQ(errorText_ByCode(-150050, TErrorLanguages::English), "");
    EXPECT_EQ(errorText_ByCode(-10501, TErrorLanguages::English), "");
    EXPECT_EQ(errorText_ByCode(-22, TErrorLanguages::English), "");
    EXPECT_EQ(errorText_ByCode(-112150, TErrorLanguages::English), "");
}

TEST(ErrorText, GroupWithoutATableForTheLanguageKeepsTheUnknownCodeText) {
    struct Case {
        std::int32_t code;
        TErrorLanguages language;
    };
    const Case cases[] = {
        {-150101, TErrorLanguages::Poland},     // the legacy set has no Polish at all
        {-150050, TErrorLanguages::Poland},     // ... not even the empty text of a gap
        {-42003, TErrorLanguages::Poland},      // neither has the logo transfer group
        {-100003, TErrorLanguages::Bulgarian},  // English is the only language we carry
        {-111004, TErrorLanguages::Romanian},  {-33017, TErrorLanguages::Russian},
        {-10005, TErrorLanguages::English},  // groups of other products carry no texts
        {-43100, TErrorLanguages::English},    {-117000, TErrorLanguages::English},
        {1, TErrorLanguages::English},  // bank PIN pad results
        {52, TErrorLanguages::Russian},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorText_ByCode(c.code, c.language), unknown(c.code)) << c.code;
    }
}

// Texts typed from the error tables, typos, doubled blanks and quotes included:
// registers, logs and users' notes rely on them character for character.
TEST(ErrorText, EnglishTextsOfEveryGroupCharacterForCharacter) {
    struct Case {
        std::int32_t code;
        const char* text;
    };
    const Case cases[] = {
        {-1, "General error / Unknown error."},
        {-23,
         "Error which was obtained in GetStatus method. Some bits in the status bytes of the "
         "fiscal device was raised."},
        {-10516, "Check whether the parameter is real number. [OUTPTUT]"},
        {-10528, "Successfully canceled PinPad transaction (automatically  - from settings)"},
        {-10529, "The CSV file is not in format (\"\";\"\";\"\";)"},
        {-23002, "Client can not register calback."},
        {-33000, "Load from to failed."},
        {-33013, "FiscalDevice component is not assigned to scrypt engine."},
        {-33017, "Error container component not assigned."},
        {-33052, "The status of the transaction is still \"executing\"."},
        {-33065, "Remote error - not supported command."},
        {-42005, "saveLogoFromFileToPrinter: wrong file type."},
        {-100003, "General error in fiscal device: No more data"},
        {-100007, "Wrong mode( standart, training...)  is selected."},
        {-100108, "Fiscal memory error: Maximum number of block  in fiscal memory"},
        {-100400, "Line thermal printer mechanism error: Power supply error ( 3,3 V )"},
        {-100511, "System error: TPM module error"},
        {-101014, "ERR_ACCESS_DENIED"},
        {-101500, "Update error: No update. The device is up to date"},
        {-102015, "ECR error: Tax office ID is empty!"},
        {-103008, "Can\"t open the PLU database file"},
        {-104007, "Service operation error: Montly report needed."},
        {-105005, "EJ error: Generate signature error( cannoct generate signature )"},
        {-106002, "Client database error: EIK already exists"},
        {-107004, "Wrong certificate password."},
        {-110021, "SAM module error: Transaction is closed in SAM -> \"closing needed\""},
        {-110025, "SAM module error: Not opened( empty ) Z - report -> \"Z impossible\""},
        {-110111, "Device error: Only admin has permition"},
        {-110301, "Working error: Invalid parameters"},
        {-110505, "Modem error: Wrong modem configuration( for example - no programmed apn )"},
        {-110601, "Modem error: Device is not connected to AP( access point )"},
        {-110706,
         "Network error: HTTP communication error( something went wrong in http protocol )"},
        {-111004, "Registration mode error: PLU code was not found"},
        {-111065,
         "Registration mode error: Fiscal printer: Sum of receipt is 0. Operation \"void\" "
         "is needed"},
        {-111080, "Registration mode error: Registration mode error: Out of stock"},
        {-111087, "Disallowed \"признак расчета\" (Russia)"},
        {-111088, "Forbidden признак товара"},
        {-111090, "Fix PLU\"s price"},
        {-112008, "Fiscal printer error: Printing mechanism error"},
        {-112199, "_ERR_FP_SYNTAX_PARAM_END"},
        {-112216, "Bad value of parameter 16."},
        {-113001, "Flash memory error: Sector size error"},
        {-118004, "ECR server error: Receiving timeout. No data is receivec on time"},
        {-120003, "Programming: Date and time is under the range."},
        {-150001, "Syntax error"},
        {-150311, "Fiscal memory in \"Read only\" mode"},
        {-150608, "ERR_SKNO_CANNOT_END_DOC"},
        {-170005, "USB error: File unpack error"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorText_ByCode(c.code, TErrorLanguages::English), c.text) << c.code;
    }
}

}  // namespace
}  // namespace tessel
