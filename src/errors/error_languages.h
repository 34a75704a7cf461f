#pragma once

#include <cstdint>

namespace tessel {

// Language of every error text.
enum class TErrorLanguages : std::uint8_t {
    Bulgarian = 0,
    English = 1,
    Russian = 2,
    Romanian = 3,
    Poland = 4,
};

}  // namespace tessel
