#pragma once

// The register's clock. Times are local wall-clock seconds counted from
// 1 January 1970 (no time zone): the register knows nothing else.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessel::sim {

using LocalSeconds = std::int64_t;

// The host's local wall-clock time now.
LocalSeconds hostLocalNow();

// "dd-mm-yy hh:mm:ss", with " DST" appended when dst is set.
std::string formatRegisterTime(LocalSeconds t, bool dst);
// Reads the same text; " DST" is accepted and ignored (the time is local).
// Refuses anything that is not a real date and time of 2000 to 2099.
std::optional<LocalSeconds> parseRegisterTime(std::string_view text);

// Summer time from the last Sunday of March 02:00 up to (not including) the
// last Sunday of October 03:00.
bool isSummerTime(LocalSeconds t);

LocalSeconds makeLocalTime(int year, int month, int day, int hour, int minute, int second);

}  // namespace tessel::sim
