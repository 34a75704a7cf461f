#include "util/code_page.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

#include "util/code_page_tables.h"
#include "util/utf8.h"

namespace tessel {

namespace {

constexpr std::uint8_t kDefaultChar = '?';

// Characters of the upper half sorted by code point, for encoding.
using ReverseTable = std::array<std::pair<char16_t, std::uint8_t>, 128>;

ReverseTable reverseOf(const UpperHalf& half) {
    ReverseTable table{};
    for (std::size_t i = 0; i < half.size(); ++i) {
        table[i] = {half[i], static_cast<std::uint8_t>(0x80 + i)};
    }
    std::sort(table.begin(), table.end());
    return table;
}

struct CodePage {
    const UpperHalf* half;
    const ReverseTable* reverse;
};

std::optional<CodePage> codePageOf(int codePage) {
    static const ReverseTable reverse1250 = reverseOf(kUpperHalf1250);
    static const ReverseTable reverse1251 = reverseOf(kUpperHalf1251);
    static const ReverseTable reverse1252 = reverseOf(kUpperHalf1252);
    switch (codePage) {
        case kCodePage1250:
            return CodePage{&kUpperHalf1250, &reverse1250};
        case kCodePage1251:
            return CodePage{&kUpperHalf1251, &reverse1251};
        case kCodePage1252:
            return CodePage{&kUpperHalf1252, &reverse1252};
        default:
            return std::nullopt;
    }
}

std::optional<std::uint8_t> byteOf(const CodePage& page, char32_t cp) {
    if (cp < 0x80) return static_cast<std::uint8_t>(cp);
    if (cp > 0xFFFF) return std::nullopt;
    const auto key = static_cast<char16_t>(cp);
    const auto it = std::lower_bound(page.reverse->begin(), page.reverse->end(), key,
                                     [](const auto& entry, char16_t c) { return entry.first < c; });
    if (it == page.reverse->end() || it->first != key) return std::nullopt;
    return it->second;
}

}  // namespace

bool isCombiningMark(char32_t cp) {
    return (cp >= 0x0300 && cp <= 0x036F) || (cp >= 0x1AB0 && cp <= 0x1AFF) ||
           (cp >= 0x1DC0 && cp <= 0x1DFF) || (cp >= 0x20D0 && cp <= 0x20FF) ||
           (cp >= 0xFE20 && cp <= 0xFE2F);
}

std::optional<char32_t> composeLetter(char32_t base, char32_t mark) {
    const auto it =
        std::lower_bound(kCompositions.begin(), kCompositions.end(), std::pair{base, mark},
                         [](const Composition& c, const std::pair<char32_t, char32_t>& key) {
                             return std::pair<char32_t, char32_t>{c.base, c.mark} < key;
                         });
    if (it == kCompositions.end() || it->base != base || it->mark != mark) return std::nullopt;
    return it->composed;
}

bool isSupportedCodePage(int codePage) {
    return codePageOf(codePage).has_value();
}

Bytes encodeCodePage(std::string_view utf8, int codePage) {
    const auto page = codePageOf(codePage);
    if (!page) return {};
    Bytes out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t cp = nextCodePoint(utf8, pos);
        if (pos < utf8.size()) {
            std::size_t next = pos;
            const char32_t mark = nextCodePoint(utf8, next);
            if (isCombiningMark(mark)) {
                const auto composed = composeLetter(cp, mark);
                const auto byte = composed ? byteOf(*page, *composed) : std::nullopt;
                if (byte) {
                    out.push_back(*byte);
                    pos = next;
                    continue;
                }
            }
        }
        if (const auto byte = byteOf(*page, cp)) {
            out.push_back(*byte);
        } else if (!isCombiningMark(cp)) {
            out.push_back(kDefaultChar);
        }
    }
    return out;
}

std::string decodeCodePage(ByteView bytes, int codePage) {
    const auto page = codePageOf(codePage);
    if (!page) return {};
    std::string out;
    out.reserve(bytes.size());
    for (const std::uint8_t b : bytes) {
        appendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{(*page->half)[b - 0x80]});
    }
    return out;
}

}  // namespace tessel
