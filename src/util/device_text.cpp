#include "util/device_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "util/code_page.h"
#include "util/utf8.h"

namespace tessel {

namespace {

struct DeviceLetter {
    std::uint8_t byte;
    char32_t letter;
};

constexpr std::array<DeviceLetter, 10> kDeviceLetters{{
    {0xDA, 0x0110},  // Đ
    {0xDB, 0x017D},  // Ž
    {0xDC, 0x0106},  // Ć
    {0xDD, 0x010C},  // Č
    {0xDE, 0x0160},  // Š
    {0xFA, 0x0111},  // đ
    {0xFB, 0x017E},  // ž
    {0xFC, 0x0107},  // ć
    {0xFD, 0x010D},  // č
    {0xFE, 0x0161},  // š
}};

constexpr std::uint8_t kNoLetterUpper = 0xDF;
constexpr std::uint8_t kNoLetterLower = 0xFF;
constexpr std::uint8_t kGroupSeparator = 0x1D;

std::optional<std::uint8_t> deviceByteOf(char32_t cp) {
    for (const auto& entry : kDeviceLetters) {
        if (entry.letter == cp) return entry.byte;
    }
    return std::nullopt;
}

std::optional<char32_t> deviceLetterOf(std::uint8_t byte) {
    for (const auto& entry : kDeviceLetters) {
        if (entry.byte == byte) return entry.letter;
    }
    return std::nullopt;
}

}  // namespace

std::string convert_Ansi1251_ToWideStr(ByteView bytes) {
    return decodeCodePage(bytes, kCodePage1251);
}

std::string convert_Ansi1250_ToWideStr(ByteView bytes) {
    return decodeCodePage(bytes, kCodePage1250);
}

Bytes convert_WideStr_ToAnsi1251(std::string_view text) {
    return encodeCodePage(text, kCodePage1251);
}

Bytes UTFtoEcr(std::string_view text) {
    Bytes out;
    out.reserve(text.size());
    // Runs of other characters are encoded whole, so that their own letters
    // and marks still compose.
    std::size_t runStart = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const char32_t cp = nextCodePoint(text, pos);
        std::size_t end = pos;
        auto byte = deviceByteOf(cp);
        if (!byte && pos < text.size()) {
            std::size_t next = pos;
            const char32_t mark = nextCodePoint(text, next);
            const auto composed = isCombiningMark(mark) ? composeLetter(cp, mark) : std::nullopt;
            if (composed) byte = deviceByteOf(*composed);
            if (byte) end = next;
        }
        if (!byte) continue;
        const Bytes run = encodeCodePage(text.substr(runStart, start - runStart), kCodePage1251);
        out.insert(out.end(), run.begin(), run.end());
        out.push_back(*byte);
        pos = end;
        runStart = end;
    }
    const Bytes rest = encodeCodePage(text.substr(runStart), kCodePage1251);
    out.insert(out.end(), rest.begin(), rest.end());
    return out;
}

std::string ecrToUTF(ByteView bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t runStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = bytes[i];
        const auto letter = deviceLetterOf(b);
        if (!letter && b != kNoLetterUpper && b != kNoLetterLower) continue;
        out += decodeCodePage(bytes.subspan(runStart, i - runStart), kCodePage1251);
        if (letter) {
            appendUtf8(out, *letter);
        } else {
            out.push_back(' ');
        }
        runStart = i + 1;
    }
    out += decodeCodePage(bytes.subspan(runStart), kCodePage1251);
    return out;
}

Bytes replaceCyrChars(ByteView bytes) {
    Bytes out(bytes.begin(), bytes.end());
    for (std::uint8_t& b : out) {
        switch (b) {
            case 0xC9:
                b = 'J';
                break;
            case 0xE9:
                b = 'j';
                break;
            case kNoLetterUpper:
            case kNoLetterLower:
                b = ' ';
                break;
            default:
                break;
        }
    }
    return out;
}

std::string nameToDeviceText(std::string_view name) {
    return convert_Ansi1251_ToWideStr(replaceCyrChars(UTFtoEcr(name)));
}

std::string nameFromDeviceText(std::string_view field) {
    return ecrToUTF(convert_WideStr_ToAnsi1251(field));
}

std::string clientNameFromDeviceText(std::string_view field) {
    return ecrToUTF(replaceCyrChars(convert_WideStr_ToAnsi1251(field)));
}

std::string journalLineFromDeviceText(std::string_view field) {
    Bytes line = convert_WideStr_ToAnsi1251(field);
    if (!line.empty() && line.front() == kGroupSeparator) {
        std::replace(line.begin(), line.end(), kGroupSeparator, std::uint8_t{'\t'});
    }
    return ecrToUTF(line);
}

}  // namespace tessel
