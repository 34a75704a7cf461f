#pragma once

// Field and number text of the register's commands: TAB-separated fields,
// decimal integers and fixed-point amounts with "." as the separator.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel::sim {

using Fields = std::vector<std::string>;

// Splits a parameter text at TAB. Empty fields between TABs are kept; the
// TAB that ends the last parameter adds no empty field.
Fields splitFields(std::string_view text);

// The field at index, or an empty text past the end.
const std::string& fieldAt(const Fields& fields, std::size_t index);

// A decimal integer, optionally signed; nothing else (no blanks, no "+").
std::optional<std::int64_t> parseInteger(std::string_view text);

// The integer in fields[index] when it lies from low to high; nullopt for
// anything else, a missing field included.
std::optional<int> integerAt(const Fields& fields, std::size_t index, int low, int high);

// A decimal amount with at most `decimals` digits after ".", scaled by
// 10^decimals ("12.5" with 2 decimals gives 1250).
std::optional<std::int64_t> parseFixed(std::string_view text, int decimals);
std::string formatFixed(std::int64_t scaled, int decimals);

}  // namespace tessel::sim
