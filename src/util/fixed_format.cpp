#include "util/fixed_format.h"

#include <charconv>
#include <cmath>
#include <system_error>
#include <vector>

namespace tessel {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

std::string shortestFixed(double value) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

std::string withSeparator(std::string text, const TFormatSettings& settings) {
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, settings.decimalSeparator);
    return text;
}

// Adds one unit in the last place to a string of decimal digits.
void incrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::string padded(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::vector<std::string_view> split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> parts;
    if (separator.empty()) return {text};
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(separator, start)) != std::string_view::npos;) {
        parts.push_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

// 1 to maxDigits decimal digits and nothing else.
std::optional<int> readNumber(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (!isDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

}  // namespace

std::string formatDecimal(double value, int decimals, const TFormatSettings& settings) {
    if (!std::isfinite(value)) return shortestFixed(value);
    const std::size_t places = decimals > 0 ? static_cast<std::size_t>(decimals) : 0;
    std::string text = shortestFixed(value);
    const bool negative = text.front() == '-';
    if (negative) text.erase(0, 1);
    const std::size_t point = text.find('.');
    std::string digits = text.substr(0, point);
    std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    const bool roundUp = fraction.size() > places && fraction[places] >= '5';
    fraction.resize(places, '0');
    digits += fraction;
    if (roundUp) incrementDigits(digits);
    const std::size_t integerLength = digits.size() - places;
    std::string result = digits.substr(0, integerLength);
    if (places > 0) result += settings.decimalSeparator + digits.substr(integerLength);
    if (negative && digits.find_first_not_of('0') != std::string::npos) result.insert(0, "-");
    return result;
}

std::string formatShortest(double value, const TFormatSettings& settings) {
    if (value == 0.0) return "0";
    return withSeparator(shortestFixed(value), settings);
}

std::optional<double> parseDecimal(std::string_view text, const TFormatSettings& settings) {
    text = trimBlanks(text);
    std::string normal;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') normal.push_back('-');
        ++i;
    }
    std::size_t digits = 0;
    for (; i < text.size() && isDigit(text[i]); ++i, ++digits) normal.push_back(text[i]);
    const std::string_view separator = settings.decimalSeparator;
    if (!separator.empty() && text.substr(i).starts_with(separator)) {
        normal.push_back('.');
        i += separator.size();
        for (; i < text.size() && isDigit(text[i]); ++i, ++digits) normal.push_back(text[i]);
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normal.push_back(text[i++]);
        std::size_t exponentDigits = 0;
        for (; i < text.size() && isDigit(text[i]); ++i, ++exponentDigits) {
            normal.push_back(text[i]);
        }
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (result.ec != std::errc{} || result.ptr != normal.data() + normal.size()) {
        return std::nullopt;
    }
    return value;
}

std::string formatDateTime(std::string_view format, const TDateTimeParts& parts,
                           const TFormatSettings& settings) {
    std::string out;
    bool afterHour = false;
    for (std::size_t i = 0; i < format.size();) {
        const char c = lowerAscii(format[i]);
        if (c == '"' || c == '\'') {
            const std::size_t end = format.find(format[i], i + 1);
            const std::size_t stop = end == std::string_view::npos ? format.size() : end;
            out.append(format.substr(i + 1, stop - i - 1));
            i = stop == format.size() ? stop : stop + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && lowerAscii(format[i + run]) == c) ++run;
        const std::size_t width = run > 1 ? 2 : 1;
        switch (c) {
            case 'd':
                out += padded(parts.day, width);
                break;
            case 'm':
                out += padded(afterHour ? parts.minute : parts.month, width);
                break;
            case 'y':
                out += run > 2 ? padded(parts.year, 4) : padded(parts.year % 100, 2);
                break;
            case 'h':
                out += padded(parts.hour, width);
                break;
            case 'n':
                out += padded(parts.minute, width);
                break;
            case 's':
                out += padded(parts.second, width);
                break;
            case 'z':
                out += padded(parts.millisecond, run > 1 ? 3 : 1);
                break;
            case '/':
                for (std::size_t k = 0; k < run; ++k) out += settings.dateSeparator;
                break;
            case ':':
                for (std::size_t k = 0; k < run; ++k) out += settings.timeSeparator;
                break;
            default:
                out.append(format.substr(i, run));
                break;
        }
        if (c >= 'a' && c <= 'z') afterHour = c == 'h';
        i += run;
    }
    return out;
}

std::optional<TDateTimeParts> parseDate(std::string_view text, const TFormatSettings& settings) {
    std::string order;
    for (const char c : settings.shortDateFormat) {
        const char lower = lowerAscii(c);
        if ((lower == 'd' || lower == 'm' || lower == 'y') &&
            order.find(lower) == std::string::npos) {
            order.push_back(lower);
        }
    }
    if (order.size() != 3) return std::nullopt;
    const auto fields = split(trimBlanks(text), settings.dateSeparator);
    if (fields.size() != 3) return std::nullopt;
    TDateTimeParts parts;
    for (std::size_t k = 0; k < 3; ++k) {
        const auto number = readNumber(fields[k], order[k] == 'y' ? 4 : 2);
        if (!number) return std::nullopt;
        if (order[k] == 'd') parts.day = *number;
        if (order[k] == 'm') parts.month = *number;
        if (order[k] == 'y') parts.year = fields[k].size() <= 2 ? 2000 + *number : *number;
    }
    if (parts.year < 1 || parts.month < 1 || parts.month > 12 || parts.day < 1 ||
        parts.day > daysInMonth(parts.year, parts.month)) {
        return std::nullopt;
    }
    return parts;
}

std::optional<TDateTimeParts> parseTime(std::string_view text, const TFormatSettings& settings) {
    auto fields = split(trimBlanks(text), settings.timeSeparator);
    if (fields.size() < 2 || fields.size() > 3) return std::nullopt;
    TDateTimeParts parts;
    std::string_view& last = fields.back();
    const std::size_t point = fields.size() == 3 && !settings.decimalSeparator.empty()
                                  ? last.find(settings.decimalSeparator)
                                  : std::string_view::npos;
    if (point != std::string_view::npos) {
        const std::string_view fraction = last.substr(point + settings.decimalSeparator.size());
        const auto milliseconds = readNumber(fraction, 3);
        if (!milliseconds) return std::nullopt;
        static constexpr int kScale[] = {1, 100, 10, 1};
        parts.millisecond = *milliseconds * kScale[fraction.size()];
        last = last.substr(0, point);
    }
    const auto hour = readNumber(fields[0], 2);
    const auto minute = readNumber(fields[1], 2);
    const auto second = fields.size() == 3 ? readNumber(fields[2], 2) : std::optional<int>{0};
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59) {
        return std::nullopt;
    }
    parts.hour = *hour;
    parts.minute = *minute;
    parts.second = *second;
    return parts;
}

}  // namespace tessel
