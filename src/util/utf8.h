#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel {

// What a malformed UTF-8 byte decodes to.
inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes the code point that starts at text[pos] and moves pos past it.
// A malformed or truncated sequence, an overlong form, a surrogate or a value
// above U+10FFFF yields kReplacementChar and consumes exactly one byte, so
// every input is walked to its end. pos must be below text.size().
char32_t nextCodePoint(std::string_view text, std::size_t& pos);

// Appends cp as UTF-8; values that are not scalar values append U+FFFD.
void appendUtf8(std::string& out, char32_t cp);

// Number of code points, malformed bytes counting one each.
std::size_t codePointCount(std::string_view text);

// Byte offset of the code point with the given index (text.size() past the end).
std::size_t codePointOffset(std::string_view text, std::size_t index);

std::u32string toCodePoints(std::string_view text);
std::string toUtf8(std::u32string_view codePoints);

}  // namespace tessel
