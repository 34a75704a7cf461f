#include "sim/sim_text.h"

namespace tessel::sim {

Fields splitFields(std::string_view text) {
    Fields fields;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t tab = text.find('\t', start);
        if (tab == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            break;
        }
        fields.emplace_back(text.substr(start, tab - start));
        start = tab + 1;
    }
    return fields;
}

const std::string& fieldAt(const Fields& fields, std::size_t index) {
    static const std::string empty;
    return index < fields.size() ? fields[index] : empty;
}

std::optional<std::int64_t> parseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<int> integerAt(const Fields& fields, std::size_t index, int low, int high) {
    const auto n = parseInteger(fieldAt(fields, index));
    if (!n || *n < low || *n > high) return std::nullopt;
    return static_cast<int>(*n);
}

std::optional<std::int64_t> parseFixed(std::string_view text, int decimals) {
    const std::size_t dot = text.find('.');
    std::string_view whole = text.substr(0, dot);
    std::string_view fraction =
        dot == std::string_view::npos ? std::string_view{} : text.substr(dot + 1);
    if (dot != std::string_view::npos && fraction.empty()) return std::nullopt;
    if (static_cast<int>(fraction.size()) > decimals || whole.size() > 12) return std::nullopt;
    const bool negative = !whole.empty() && whole.front() == '-';
    if (negative) whole.remove_prefix(1);
    if (whole.empty() && fraction.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    for (int i = 0; i < decimals; ++i) {
        const char c = i < static_cast<int>(fraction.size()) ? fraction[i] : '0';
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::string formatFixed(std::int64_t scaled, int decimals) {
    std::int64_t scale = 1;
    for (int i = 0; i < decimals; ++i) scale *= 10;
    const bool negative = scaled < 0;
    const std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(-(scaled + 1)) + 1
                                             : static_cast<std::uint64_t>(scaled);
    std::string text = std::to_string(magnitude / static_cast<std::uint64_t>(scale));
    if (decimals > 0) {
        std::string fraction = std::to_string(magnitude % static_cast<std::uint64_t>(scale));
        text +=
            '.' + std::string(static_cast<std::size_t>(decimals) - fraction.size(), '0') + fraction;
    }
    return negative ? '-' + text : text;
}

}  // namespace tessel::sim
