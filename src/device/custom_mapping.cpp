#include "device/custom_mapping.h"

#include "util/utf8.h"

namespace tessel {
namespace {

constexpr char32_t kGeorgianFirst = 0x10D0;
constexpr char32_t kGeorgianLast = 0x10EF;
constexpr char32_t kGeorgianExtra = 0x10F0;
constexpr char32_t kCyrillicFirst = 0x0430;
constexpr char32_t kCyrillicLast = 0x044F;
constexpr char32_t kCyrillicExtra = 0x0451;

char32_t toCyrillic(char32_t cp) {
    if (cp >= kGeorgianFirst && cp <= kGeorgianLast) return cp - kGeorgianFirst + kCyrillicFirst;
    return cp == kGeorgianExtra ? kCyrillicExtra : cp;
}

char32_t toGeorgian(char32_t cp) {
    if (cp >= kCyrillicFirst && cp <= kCyrillicLast) return cp - kCyrillicFirst + kGeorgianFirst;
    return cp == kCyrillicExtra ? kGeorgianExtra : cp;
}

std::string mapEach(std::string_view text, char32_t (*map)(char32_t)) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) appendUtf8(out, map(nextCodePoint(text, pos)));
    return out;
}

}  // namespace

std::string apply_CustomMapping(std::string_view text, std::int32_t customCode) {
    if (customCode != kGeorgianCustomCodePage) return std::string(text);
    return mapEach(text, toCyrillic);
}

std::string reverse_CustomMapping(std::string_view text, std::int32_t customCode) {
    if (customCode != kGeorgianCustomCodePage) return std::string(text);
    return mapEach(text, toGeorgian);
}

}  // namespace tessel
