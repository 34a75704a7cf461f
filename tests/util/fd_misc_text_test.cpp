#include <gtest/gtest.h>

#include "util/fd_misc.h"

namespace tessel {
namespace {

struct BeforeCase {
    const char* what;
    std::string source;
    std::string delimiter;
    bool deleteIt;
    std::string result;
    std::string sourceAfter;
};

TEST(GetValueBefore, CutsAtTheFirstDelimiter) {
    const BeforeCase cases[] = {
        {"found, kept", "12\t34\t", "\t", false, "12", "12\t34\t"},
        {"found, deleted", "12\t34\t", "\t", true, "12", "34\t"},
        {"absent, kept", "1234", ";", false, "1234", "1234"},
        {"absent, deleted empties the source", "1234", ";", true, "1234", ""},
        {"only the delimiter's first character goes", "a=>b", "=>", true, "a", ">b"},
        {"delimiter first", ";b", ";", true, "", "b"},
        {"multi-byte delimiter removed whole", "x\u00A7y", "\u00A7", true, "x", "y"},
        {"empty delimiter never matches", "abc", "", true, "abc", ""},
        {"empty source", "", ";", true, "", ""},
    };
    for (const auto& c : cases) {
        std::string source = c.source;
        EXPECT_EQ(TFDMisc::get_Value_Before(source, c.delimiter, c.deleteIt), c.result) << c.what;
        EXPECT_EQ(source, c.sourceAfter) << c.what;
    }
}

TEST(GetValueBefore, ByteForm) {
    Bytes source{0xC9, 0x09, 0xEE, 0x09};
    const Bytes tab{0x09};
    EXPECT_EQ(TFDMisc::get_Value_Before(source, tab, true), Bytes{0xC9});
    EXPECT_EQ(source, (Bytes{0xEE, 0x09}));
    EXPECT_EQ(TFDMisc::get_Value_Before(source, Bytes{0x3B}, true), (Bytes{0xEE, 0x09}));
    EXPECT_TRUE(source.empty());
}

struct BetweenCase {
    const char* what;
    std::string source;
    bool deleteDelimiter;
    bool deleteData;
    std::string opening;
    std::string closing;
    std::string result;
    std::string sourceAfter;
};

TEST(GetValueBetweenDelimiters, Table) {
    const BetweenCase cases[] = {
        {"opening removed, data cut", "[abc]rest", true, true, "[", "]", "abc", "]rest"},
        {"data kept", "[abc]rest", true, false, "[", "]", "abc", "abc]rest"},
        {"opening kept without the flag", "[abc]rest", false, true, "[", "]", "[abc", "]rest"},
        {"closing first gives the whole source", "]abc", true, true, "[", "]", "]abc", "]abc"},
        {"closing absent", "abc", true, true, "", "]", "abc", "abc"},
        {"closing empty", "[abc]", true, true, "[", "", "abc]", "abc]"},
        {"empty source", "", true, true, "[", "]", "", ""},
    };
    for (const auto& c : cases) {
        std::string source = c.source;
        EXPECT_EQ(TFDMisc::get_Value_BetweenDelimiters(source, c.deleteDelimiter, c.deleteData,
                                                       c.opening, c.closing),
                  c.result)
            << c.what;
        EXPECT_EQ(source, c.sourceAfter) << c.what;
    }
}

TEST(StrToCase, FullAndPositionMatch) {
    const StringList ports{"RS232", "TCPIP"};
    EXPECT_EQ(TFDMisc::StrToCase_FullMatch("tcpip", ports), 1);
    EXPECT_EQ(TFDMisc::StrToCase_FullMatch("TCP", ports), -1);
    EXPECT_EQ(TFDMisc::StrToCase_FullMatch("rs232", ports), 0);
    // Only A-Z fold: Cyrillic case differs.
    EXPECT_EQ(TFDMisc::StrToCase_FullMatch("\u0436", {"\u0416"}), -1);

    const StringList words{"", "LS", "TK-81"};
    EXPECT_EQ(TFDMisc::StrToCase_PosMatch("TK-81 R", words), 2);
    EXPECT_EQ(TFDMisc::StrToCase_PosMatch("A LS 90", words), 1);
    EXPECT_EQ(TFDMisc::StrToCase_PosMatch("tk-81", words), -1);
    EXPECT_EQ(TFDMisc::StrToCase_PosMatch("x", {}), -1);
}

struct PadCase {
    std::string source;
    std::string pad;
    int count;
    TPadCase padCase;
    std::string expected;
};

TEST(PadString, Table) {
    const PadCase cases[] = {
        {"12", "0", 9, TPadCase::pcLeft, "000000012"},
        {"1234567890", "0", 9, TPadCase::pcLeft, "1234567890"},
        {"12", "0", 4, TPadCase::pcRight, "1200"},
        {"1", "ab", 6, TPadCase::pcLeft, "abab1"},
        {"1", "ab", 6, TPadCase::pcRight, "1abab"},
        {"x", "-", 6, TPadCase::pcCenter, "--x---"},
        {"\u0416", "\u00B7", 3, TPadCase::pcLeft, "\u00B7\u00B7\u0416"},
        {"12", "", 9, TPadCase::pcLeft, "12"},
        {"12", "0", -5, TPadCase::pcLeft, "12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TFDMisc::padString(c.source, c.pad, c.count, c.padCase), c.expected)
            << c.source << " pad " << c.pad << " to " << c.count;
    }
}

TEST(CheckForPathDelimiter, Table) {
    EXPECT_EQ(TFDMisc::checkForPathDelimiter("/var/log"), "/var/log/");
    EXPECT_EQ(TFDMisc::checkForPathDelimiter("/var/log/"), "/var/log/");
    EXPECT_EQ(TFDMisc::checkForPathDelimiter(""), "./");
    EXPECT_EQ(TFDMisc::checkForPathDelimiter("  "), "  ./");
}

}  // namespace
}  // namespace tessel
