#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessel {

// The number and date formats of protocol text. Never taken from the C or
// C++ locale: the register wants "." decimals and "dd.mm.yyyy" whatever the
// user's regional settings are.
struct TFormatSettings {
    std::string dateSeparator = ".";
    std::string timeSeparator = ":";
    std::string decimalSeparator = ".";
    std::string shortDateFormat = "dd.mm.yyyy";
    std::string shortTimeFormat = "hh:mm:ss";
    std::string longDateFormat = "dd.mm.yyyy";
    std::string longTimeFormat = "hh:mm:ss";

    bool operator==(const TFormatSettings&) const = default;
};

struct TDateTimeParts {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    bool operator==(const TDateTimeParts&) const = default;
};

// value with exactly `decimals` digits after the separator, rounded half away
// from zero on its shortest decimal form (so 2.675 gives "2.68").
std::string formatDecimal(double value, int decimals, const TFormatSettings& settings = {});

// The shortest text that reads back to value ("1.5", "2", "0.1").
std::string formatShortest(double value, const TFormatSettings& settings = {});

// A number with an optional sign, digits, the decimal separator and an
// exponent; blanks around it are ignored. No thousands separators, no
// "inf"/"nan". Nothing when the text is not such a number.
std::optional<double> parseDecimal(std::string_view text, const TFormatSettings& settings = {});

// Formats with the date-time format letters: d dd, m mm (minutes right
// after h or hh), yy yyyy, h hh, n nn, s ss, z zzz, "/" the date separator,
// ":" the time separator, text in quotes as it is; letters are not case
// sensitive and any other character is copied.
std::string formatDateTime(std::string_view format, const TDateTimeParts& parts,
                           const TFormatSettings& settings = {});

// A date in the order of the short date format (day, month, year as numbers
// between date separators). Two-digit years are 20yy. Nothing for an invalid
// date. The time fields are 0.
std::optional<TDateTimeParts> parseDate(std::string_view text,
                                        const TFormatSettings& settings = {});

// A time as hours, minutes and optionally seconds and milliseconds ("hh:mm",
// "hh:mm:ss", "hh:mm:ss.zzz"), split at the time separator. Nothing when a
// value is out of range. The date fields keep their defaults.
std::optional<TDateTimeParts> parseTime(std::string_view text,
                                        const TFormatSettings& settings = {});

}  // namespace tessel
