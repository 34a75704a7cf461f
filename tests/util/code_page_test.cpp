#include "util/code_page.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <optional>
#include <ostream>
#include <string>

#include "util/utf8.h"

namespace tessel {
namespace {

// glibc's iconv as an independent reference for the published code pages.
class Iconv {
public:
    Iconv(const char* to, const char* from) : fHandle(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid()) iconv_close(fHandle);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool valid() const { return fHandle != reinterpret_cast<iconv_t>(-1); }

    // Converted text, or nothing when iconv rejects the input.
    std::optional<std::string> convert(const std::string& input) {
        iconv(fHandle, nullptr, nullptr, nullptr, nullptr);
        std::string in = input;
        char out[16];
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof(out);
        if (iconv(fHandle, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        return std::string(out, outPtr);
    }

private:
    iconv_t fHandle;
};

std::string utf8Of(char32_t cp) {
    std::string s;
    appendUtf8(s, cp);
    return s;
}

Bytes bytesOf(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

struct PageName {
    int codePage;
    const char* iconvName;
};

void PrintTo(const PageName& page, std::ostream* os) {
    *os << page.iconvName;
}

// Combining marks outside the main block are dropped as well; iconv knows
// nothing of that rule, so the comparison leaves them out.
bool isOtherCombiningBlock(char32_t cp) {
    return (cp >= 0x1AB0 && cp <= 0x1AFF) || (cp >= 0x1DC0 && cp <= 0x1DFF) ||
           (cp >= 0x20D0 && cp <= 0x20FF) || (cp >= 0xFE20 && cp <= 0xFE2F);
}

class CodePageAgainstIconv : public testing::TestWithParam<PageName> {};

TEST_P(CodePageAgainstIconv, EveryByteDecodesAsIconvAndEncodesBack) {
    const auto [codePage, name] = GetParam();
    Iconv toUtf8("UTF-8", name);
    Iconv fromUtf8(name, "UTF-8");
    ASSERT_TRUE(toUtf8.valid() && fromUtf8.valid());
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << b);
        const Bytes byte{static_cast<std::uint8_t>(b)};
        const std::string text = decodeCodePage(byte, codePage);
        const auto reference = toUtf8.convert(std::string(1, static_cast<char>(b)));
        if (reference) {
            EXPECT_EQ(text, *reference);
            EXPECT_EQ(fromUtf8.convert(text), std::string(1, static_cast<char>(b)));
        } else {
            // Undefined in the code page: the C1 control of the same value.
            ++undefined;
            EXPECT_EQ(text, utf8Of(static_cast<char32_t>(b)));
        }
        EXPECT_EQ(encodeCodePage(text, codePage), byte);
    }
    EXPECT_EQ(undefined, codePage == kCodePage1251 ? 1 : 5);
}

TEST_P(CodePageAgainstIconv, EveryBmpCharacterEncodesAsIconv) {
    const auto [codePage, name] = GetParam();
    Iconv fromUtf8(name, "UTF-8");
    ASSERT_TRUE(fromUtf8.valid());
    const std::string undefinedBytes =
        decodeCodePage(bytesOf("\x81\x83\x88\x8D\x8F\x90\x98\x9D"), codePage);
    for (char32_t cp = 1; cp <= 0xFFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        const std::string text = utf8Of(cp);
        const Bytes ours = encodeCodePage(text, codePage);
        const auto reference = fromUtf8.convert(text);
        if (reference) {
            ASSERT_EQ(ours, bytesOf(*reference)) << "U+" << std::hex << unsigned(cp);
        } else if (cp >= 0x80 && cp <= 0x9F && undefinedBytes.find(text) != std::string::npos) {
            ASSERT_EQ(ours, Bytes{static_cast<std::uint8_t>(cp)})
                << "U+" << std::hex << unsigned(cp);
        } else if (cp >= 0x0300 && cp <= 0x036F) {
            ASSERT_TRUE(ours.empty()) << "U+" << std::hex << unsigned(cp);
        } else if (!isOtherCombiningBlock(cp)) {
            ASSERT_EQ(ours, Bytes{'?'}) << "U+" << std::hex << unsigned(cp);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WindowsPages, CodePageAgainstIconv,
                         testing::Values(PageName{kCodePage1250, "CP1250"},
                                         PageName{kCodePage1251, "CP1251"},
                                         PageName{kCodePage1252, "CP1252"}),
                         [](const auto& info) { return std::to_string(info.param.codePage); });

struct EncodeCase {
    const char* what;
    std::string utf8;
    int codePage;
    Bytes expected;
};

TEST(CodePage, EncodingRule) {
    const EncodeCase cases[] = {
        {"euro inside 1251", "\u20AC", 1251, {0x88}},
        {"l with stroke outside 1251", "\u0142", 1251, {'?'}},
        {"e + acute composes in 1250", "e\u0301", 1250, {0xE9}},
        {"i + breve composes to short i in 1251", "\u0438\u0306", 1251, {0xE9}},
        {"S + caron composes in 1250", "S\u030C", 1250, {0x8A}},
        {"mark without a composed letter is dropped", "n\u0303x", 1251, {'n', 'x'}},
        {"second mark after a composition is dropped", "e\u0301\u0301", 1250, {0xE9}},
        {"lone leading mark is dropped", "\u0301a", 1252, {'a'}},
        {"character beyond the BMP", "a\U0001F600b", 1252, {'a', '?', 'b'}},
        {"truncated sequence", "a\xC3", 1252, {'a', '?'}},
        {"stray continuation byte", "\x80z", 1252, {'?', 'z'}},
        {"overlong slash", "\xC0\xAF", 1252, {'?', '?'}},
        {"encoded surrogate", "\xED\xA0\x80", 1252, {'?', '?', '?'}},
        {"invalid lead byte", "\xFF", 1251, {'?'}},
        {"empty text", "", 1251, {}},
        {"unsupported code page", "abc", 866, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeCodePage(c.utf8, c.codePage), c.expected) << c.what;
    }
}

TEST(CodePage, DecodingSerbianAndUnsupported) {
    EXPECT_EQ(decodeCodePage(bytesOf("\x8A\x9A\xC8\xE8\xC6\xE6\xD0\xF0\x8E\x9E"), 1250),
              "\u0160\u0161\u010C\u010D\u0106\u0107\u0110\u0111\u017D\u017E");
    EXPECT_EQ(decodeCodePage(bytesOf("\xC9\xEE\xE3\xF3\xF0\xF2"), 1251),
              "\u0419\u043E\u0433\u0443\u0440\u0442");
    EXPECT_EQ(decodeCodePage(bytesOf("abc"), 0), "");
    EXPECT_TRUE(isSupportedCodePage(1252));
    EXPECT_FALSE(isSupportedCodePage(65001));
}

}  // namespace
}  // namespace tessel
