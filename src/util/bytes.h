#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tessel {

// Code-page and wire bytes. Kept apart from UTF-8 text (std::string) so the
// compiler never lets the two mix.
using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

}  // namespace tessel
