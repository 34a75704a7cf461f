#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "util/bytes.h"

namespace tessel {

// Windows single-byte code pages we convert to and from. Code page 1251 is
// the register's own; 1250 carries the Latin letters of Serbian; 1252 is the
// Western page some settings may name.
inline constexpr int kCodePage1250 = 1250;
inline constexpr int kCodePage1251 = 1251;
inline constexpr int kCodePage1252 = 1252;

bool isSupportedCodePage(int codePage);

// Combining diacritical marks (the main block and its supplements).
bool isCombiningMark(char32_t cp);

// The precomposed letter of base + mark, for the letters of the supported
// code pages; nothing otherwise.
std::optional<char32_t> composeLetter(char32_t base, char32_t mark);

// Encodes UTF-8 text into the code page. A letter followed by a combining
// mark becomes the precomposed letter when the code page has it; other
// combining marks are dropped; anything else the code page lacks, malformed
// UTF-8 included, becomes "?". An unsupported code page gives empty bytes.
Bytes encodeCodePage(std::string_view utf8, int codePage);

// Decodes every byte into one character. The few positions a code page leaves
// undefined decode to the C1 control of the same value (0x81 -> U+0081), as
// Windows does, so that decoding and re-encoding restores every byte. An
// unsupported code page gives empty text.
std::string decodeCodePage(ByteView bytes, int codePage);

}  // namespace tessel
