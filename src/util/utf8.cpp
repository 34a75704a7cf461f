#include "util/utf8.h"

#include <cstdint>

namespace tessel {

namespace {

bool isContinuation(std::uint8_t b) {
    return (b & 0xC0) == 0x80;
}

bool isScalarValue(char32_t cp) {
    return cp < 0xD800 || (cp > 0xDFFF && cp <= 0x10FFFF);
}

}  // namespace

char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<std::uint8_t>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t cp = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        cp = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        cp = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        cp = lead & 0x07;
        smallest = 0x10000;
    } else {
        ++pos;
        return kReplacementChar;
    }
    if (text.size() - pos < length) {
        ++pos;
        return kReplacementChar;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto b = static_cast<std::uint8_t>(text[pos + i]);
        if (!isContinuation(b)) {
            ++pos;
            return kReplacementChar;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < smallest || !isScalarValue(cp)) {
        ++pos;
        return kReplacementChar;
    }
    pos += length;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (!isScalarValue(cp)) cp = kReplacementChar;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::size_t codePointCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); ++count) nextCodePoint(text, pos);
    return count;
}

std::size_t codePointOffset(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < index && pos < text.size(); ++i) nextCodePoint(text, pos);
    return pos;
}

std::u32string toCodePoints(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) out.push_back(nextCodePoint(text, pos));
    return out;
}

std::string toUtf8(std::u32string_view codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (const char32_t cp : codePoints) appendUtf8(out, cp);
    return out;
}

}  // namespace tessel
