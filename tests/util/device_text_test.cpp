#include "util/device_text.h"

#include <gtest/gtest.h>

#include "util/code_page.h"

namespace tessel {
namespace {

Bytes bytesOf(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

TEST(DeviceText, SerbianLettersTakeTheirDeviceBytes) {
    // Device byte, letter, and the letter's byte in code page 1250.
    struct Row {
        std::uint8_t device;
        const char* letter;
        std::uint8_t cp1250;
    };
    const Row rows[] = {
        {0xDA, "\u0110", 0xD0}, {0xDB, "\u017D", 0x8E}, {0xDC, "\u0106", 0xC6},
        {0xDD, "\u010C", 0xC8}, {0xDE, "\u0160", 0x8A}, {0xFA, "\u0111", 0xF0},
        {0xFB, "\u017E", 0x9E}, {0xFC, "\u0107", 0xE6}, {0xFD, "\u010D", 0xE8},
        {0xFE, "\u0161", 0x9A},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(UTFtoEcr(row.letter), Bytes{row.device}) << row.letter;
        EXPECT_EQ(ecrToUTF(Bytes{row.device}), row.letter) << row.letter;
        EXPECT_EQ(convert_Ansi1250_ToWideStr(Bytes{row.cp1250}), row.letter) << row.letter;
    }
}

TEST(DeviceText, SecerRoundTrip) {
    const Bytes device = UTFtoEcr("\u0160e\u0107er");
    EXPECT_EQ(device, (Bytes{0xDE, 0x65, 0xFC, 0x65, 0x72}));
    EXPECT_EQ(ecrToUTF(device), "\u0160e\u0107er");
}

TEST(DeviceText, EncodingRuns) {
    EXPECT_EQ(UTFtoEcr("\u20AC"), Bytes{0x88});
    EXPECT_EQ(UTFtoEcr("\u0142"), Bytes{'?'});
    EXPECT_EQ(UTFtoEcr("\u0416\u0161\u0142"), (Bytes{0xC6, 0xFE, '?'}));
    // A decomposed letter counts as the letter, also next to Cyrillic that
    // still composes.
    EXPECT_EQ(UTFtoEcr("S\u030Cu\u0161\u0438\u0306"), (Bytes{0xDE, 'u', 0xFE, 0xE9}));
    EXPECT_EQ(UTFtoEcr("c\u0301"), Bytes{0xFC});
    EXPECT_EQ(UTFtoEcr(""), Bytes{});
}

TEST(DeviceText, DecodingBlanksTheBytesWithoutLetter) {
    EXPECT_EQ(ecrToUTF(bytesOf("A\xDF"
                               "B\xFF\xC6")),
              "A B \u0416");
    EXPECT_EQ(ecrToUTF(bytesOf("\xCF\xE8\xE2\xEE")), "\u041F\u0438\u0432\u043E");
    EXPECT_EQ(ecrToUTF(Bytes{}), "");
}

TEST(DeviceText, EveryByteWithALetterRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const Bytes one{static_cast<std::uint8_t>(b)};
        const std::string text = ecrToUTF(one);
        if (b == 0xDF || b == 0xFF) {
            EXPECT_EQ(text, " ");
        } else {
            EXPECT_EQ(UTFtoEcr(text), one) << "byte " << b;
        }
    }
}

TEST(DeviceText, CleanUpKeepsLengthAndSerbianLetters) {
    const Bytes jogurt = convert_WideStr_ToAnsi1251("\u0419\u043E\u0433\u0443\u0440\u0442");
    Bytes expected = jogurt;
    expected[0] = 'J';
    EXPECT_EQ(replaceCyrChars(jogurt), expected);
    EXPECT_EQ(replaceCyrChars(bytesOf("\xE9\xDF\xFF\xDE\xFE")), bytesOf("j  \xDE\xFE"));
    EXPECT_EQ(replaceCyrChars(Bytes{}), Bytes{});
}

TEST(DeviceText, NamesThroughTheCommandLayer) {
    // The parameter text goes out through the 1251 narrowing of the command
    // layer, so it must narrow to exactly the device bytes.
    const std::string sent = nameToDeviceText("\u0160e\u0107er \u0419\u0430");
    EXPECT_EQ(encodeCodePage(sent, kCodePage1251),
              (Bytes{0xDE, 'e', 0xFC, 'e', 'r', ' ', 'J', 0xE0}));
    EXPECT_EQ(nameFromDeviceText(sent), "\u0160e\u0107er J\u0430");
    // Read one at a time, a client name is cleaned before decoding.
    const std::string field = decodeCodePage(bytesOf("\xC9\xFE\xFF"), kCodePage1251);
    EXPECT_EQ(clientNameFromDeviceText(field), "J\u0161 ");
    EXPECT_EQ(nameFromDeviceText(field), "\u0419\u0161 ");
}

TEST(DeviceText, JournalLines) {
    EXPECT_EQ(journalLineFromDeviceText("\x1D"
                                        "A\x1D"
                                        "B"),
              "\tA\tB");
    EXPECT_EQ(journalLineFromDeviceText("A\x1D"
                                        "B"),
              "A\x1D"
              "B");
    const std::string field = decodeCodePage(bytesOf("\xDE\xFC"), kCodePage1251);
    EXPECT_EQ(journalLineFromDeviceText(field), "\u0160\u0107");
}

}  // namespace
}  // namespace tessel
