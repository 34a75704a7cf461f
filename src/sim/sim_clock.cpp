#include "sim/sim_clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tessel::sim {

namespace {

using namespace std::chrono;

constexpr LocalSeconds kDay = 86400;

year_month_day dateOf(LocalSeconds t) {
    LocalSeconds days = t / kDay;
    if (t % kDay < 0) --days;
    return year_month_day{sys_days{std::chrono::days{days}}};
}

LocalSeconds lastSundayAt(int year, unsigned month, int hour) {
    const year_month_day last{
        year_month_day_last{std::chrono::year{year}, month_day_last{std::chrono::month{month}}}};
    const sys_days lastDay{last};
    const weekday wd{lastDay};
    const sys_days sunday = lastDay - (wd - Sunday);
    return static_cast<LocalSeconds>(sunday.time_since_epoch().count()) * kDay + hour * 3600;
}

bool readTwoDigits(std::string_view text, std::size_t pos, int& out) {
    if (pos + 2 > text.size()) return false;
    const char a = text[pos];
    const char b = text[pos + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return false;
    out = (a - '0') * 10 + (b - '0');
    return true;
}

}  // namespace

LocalSeconds makeLocalTime(int year, int month, int day, int hour, int minute, int second) {
    const sys_days date{std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                        std::chrono::day{static_cast<unsigned>(day)}};
    return static_cast<LocalSeconds>(date.time_since_epoch().count()) * kDay + hour * 3600 +
           minute * 60 + second;
}

LocalSeconds hostLocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return makeLocalTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                         local.tm_min, local.tm_sec);
}

std::string formatRegisterTime(LocalSeconds t, bool dst) {
    const year_month_day date = dateOf(t);
    LocalSeconds secs = t % kDay;
    if (secs < 0) secs += kDay;
    char text[32];
    std::snprintf(text, sizeof text, "%02u-%02u-%02d %02d:%02d:%02d%s",
                  static_cast<unsigned>(date.day()), static_cast<unsigned>(date.month()),
                  static_cast<int>(date.year()) % 100, static_cast<int>(secs / 3600),
                  static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60), dst ? " DST" : "");
    return text;
}

std::optional<LocalSeconds> parseRegisterTime(std::string_view text) {
    if (text.size() == 21 && text.substr(17) == " DST") text = text.substr(0, 17);
    if (text.size() != 17 || text[2] != '-' || text[5] != '-' || text[8] != ' ' ||
        text[11] != ':' || text[14] != ':') {
        return std::nullopt;
    }
    int d, mo, y, h, mi, s;
    if (!readTwoDigits(text, 0, d) || !readTwoDigits(text, 3, mo) || !readTwoDigits(text, 6, y) ||
        !readTwoDigits(text, 9, h) || !readTwoDigits(text, 12, mi) || !readTwoDigits(text, 15, s)) {
        return std::nullopt;
    }
    const year_month_day date{std::chrono::year{2000 + y},
                              std::chrono::month{static_cast<unsigned>(mo)},
                              std::chrono::day{static_cast<unsigned>(d)}};
    if (!date.ok() || h > 23 || mi > 59 || s > 59) return std::nullopt;
    return makeLocalTime(2000 + y, mo, d, h, mi, s);
}

bool isSummerTime(LocalSeconds t) {
    const int year = static_cast<int>(dateOf(t).year());
    return t >= lastSundayAt(year, 3, 2) && t < lastSundayAt(year, 10, 3);
}

}  // namespace tessel::sim
