#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessel {

// A whole text read as a 32-bit signed number: an optional sign and decimal
// digits, nothing else (no blanks). Empty when the text is anything else.
std::optional<std::int32_t> textToInt32(std::string_view text);

}  // namespace tessel
