#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tessel {

// The one custom character mapping: Georgian letters carried as Cyrillic
// lowercase, so a Cyrillic code page can transport them.
constexpr std::int32_t kGeorgianCustomCodePage = 16;

// U+10D0..U+10EF -> U+0430..U+044F and U+10F0 -> U+0451 for code 16; any
// other code returns the text unchanged.
std::string apply_CustomMapping(std::string_view text, std::int32_t customCode);
// The inverse: U+0430..U+044F -> U+10D0..U+10EF and U+0451 -> U+10F0.
std::string reverse_CustomMapping(std::string_view text, std::int32_t customCode);

}  // namespace tessel
