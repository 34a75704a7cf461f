#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "errors/error_languages.h"

namespace tessel {

// One text of a catalogue table.
struct TErrorText {
    std::int32_t code;
    std::string_view text;
};

// A table lists its codes strictly decreasing (-1, -2, ...), the order in which
// they are numbered; textOf relies on it.
using TErrorTable = std::span<const TErrorText>;

// The text the table gives for the code, or none when the table lacks it.
std::optional<std::string_view> textOf(TErrorTable table, std::int32_t code);

// Languages as a bit set: bit n stands for the TErrorLanguages value n.
using TLanguageSet = std::uint8_t;

constexpr TLanguageSet languageBit(TErrorLanguages language) {
    return static_cast<TLanguageSet>(1u << static_cast<unsigned>(language));
}

// One group of the catalogue: an inclusive code range, the languages it
// supports and the tables we carry. Groups that only reserve their range for
// other products carry no table and answer with the unknown-code text.
struct TErrorGroup {
    std::int32_t lowest;
    std::int32_t highest;
    TLanguageSet languages;
    TErrorTable (*englishTexts)();  // nullptr: no texts carried

    bool contains(std::int32_t code) const { return lowest <= code && code <= highest; }
    bool supports(TErrorLanguages language) const { return languages & languageBit(language); }
    // The group's table for the language, or none when the group has none.
    std::optional<TErrorTable> table(TErrorLanguages language) const;
};

// Every group, ordered from the highest range to the lowest; no two overlap.
std::span<const TErrorGroup> errorGroups();

// The group whose range holds the code, or nullptr: PIN pad results 1..52,
// the ranges inside -1..-200000; code 0 and everything else belong to none.
const TErrorGroup* errorGroup_ByCode(std::int32_t code);

}  // namespace tessel
