#pragma once

#include <array>

namespace tessel {

using UpperHalf = std::array<char16_t, 128>;

extern const UpperHalf kUpperHalf1250;
extern const UpperHalf kUpperHalf1251;
extern const UpperHalf kUpperHalf1252;

struct Composition {
    char16_t base;
    char16_t mark;
    char16_t composed;
};

extern const std::array<Composition, 114> kCompositions;

}  // namespace tessel
