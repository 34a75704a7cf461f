#include <gtest/gtest.h>

#include "util/fd_misc.h"

namespace tessel {
namespace {

using namespace std::string_literals;

struct SymbolCase {
    std::string input;
    std::string expected;
};

TEST(PrepareInputForSpecialSymbols, Table) {
    const SymbolCase cases[] = {
        {"A[TAB]B", "A\tB"},
        {"A\\tB", "A\tB"},
        {"A[\\T]B", "A\tB"},
        {"a[ht]b[lf]c[cr]d", "a\tb\nc\rd"},
        {"[new line]x[LINE BREAK]", "\r\nx\r\n"},
        {"\\N\\r", "\n\r"},
        {"[1B!08]", "\x1B!\x08"},
        {"[1b!08]", "\x1B!\x08"},
        {"[1BE01]",
         "\x1B"
         "E1"},
        {"[1B 0A]", "\x1B 10"},
        {"[1B3FF]",
         "\x1B"
         "3255"},
        {"[1BG00]", "\x1BG0"},
        {"[1BU02][1BB01]",
         "\x1Bu2\x1B"
         "B1"},
        {"[1BI00][1BI41]", "\x1BI0\x1BIA"},
        {"[1BA00][1BA02]",
         "\x1B"
         "a0\x1B"
         "a\x02"},
        {"[1BJ20][1BD03]",
         "\x1BJ \x1B"
         "d\x03"},
        {"[1B$0102][1B\\4142]", "\x1B$\x01\x02\x1B\\AB"},
        {"[1BM]", "\x1Bm"},
        {"[1B!00]", "\x1B!\0"s},
        {"[1B!88]", "\x1B!\u20AC"},
        // The prefix may stand anywhere; the digits are always at positions 4-5.
        {"[x1BE05]",
         "\x1B"
         "E224"},
        {"[\\0D]", "\r"},
        {"[\\1B]", "\x1B"},
        {"[\\20]", " "},
        {"[\\21][\\00]", ""},
        {"[ABC]", ""},
        {"[hello]", "hello"},
        {"[]", ""},
        {"x[a]y", "xay"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TFDMisc::prepare_InputForSpecialSymbols(c.input), c.expected)
            << "input: " << c.input;
    }
}

TEST(PrepareInputForSpecialSymbols, UnterminatedBracketCopiesTheRest) {
    EXPECT_EQ(TFDMisc::prepare_InputForSpecialSymbols("A[TAB"), "A[TAB");
    EXPECT_EQ(TFDMisc::prepare_InputForSpecialSymbols("[TAB]x[y\\tz"), "\tx[y\tz");
    EXPECT_EQ(TFDMisc::prepare_InputForSpecialSymbols("["), "[");
}

TEST(PrepareInputForSpecialSymbols, MissingDigitsEmitOnlyWhatIsThere) {
    const SymbolCase cases[] = {
        {"[1B!]", "\x1B!"},
        {"[1B!0]", "\x1B!"},
        {"[1BE]",
         "\x1B"
         "E"},
        {"[1B$01]", "\x1B$\x01"},
        {"[1B$010]", "\x1B$\x01"},
        {"[\\1]", "\\1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TFDMisc::prepare_InputForSpecialSymbols(c.input), c.expected)
            << "input: " << c.input;
    }
}

TEST(PrepareInputForSpecialSymbols, EscapeBytesNeverTurnIntoLineBreaks) {
    // ESC "\" followed by typed text, and a parameter byte 0x5C, stay as sent.
    EXPECT_EQ(TFDMisc::prepare_InputForSpecialSymbols("[1B\\]name"), "\x1B\\name");
    EXPECT_EQ(TFDMisc::prepare_InputForSpecialSymbols("[1B!5C]n"), "\x1B!\\n");
    // Typed text keeps its escapes, also across a name emitted as typed.
    EXPECT_EQ(TFDMisc::prepare_InputForSpecialSymbols("a\\[tx]"), "a\tx");
}

TEST(PrepareSpecialSymbol, NamesAndEscapes) {
    const SymbolCase cases[] = {
        {"#13", "\r"},          {"#10", "\n"},          {"#9", "\t"},    {"[line break]", "\r\n"},
        {"New Line", "\r\n"},   {"\\t", "\t"},          {"[\\n]", "\n"}, {"ht", "\t"},
        {"unknown", "unknown"}, {"a\\tb\\R", "a\tb\r"}, {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TFDMisc::prepare_SpecialSymbol(c.input), c.expected) << "input: " << c.input;
    }
}

}  // namespace
}  // namespace tessel
