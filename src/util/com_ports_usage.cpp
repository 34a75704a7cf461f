#include "util/com_ports_usage.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <optional>
#include <set>
#include <system_error>

namespace tessel {

namespace fs = std::filesystem;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Value of the leading digits (0 when none), saturating instead of
// overflowing on absurdly long digit runs.
int leadingNumber(std::string_view text) {
    int value = 0;
    for (std::size_t i = 0; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (value > (std::numeric_limits<int>::max() - digit) / 10) {
            return std::numeric_limits<int>::max();
        }
        value = value * 10 + digit;
    }
    return value;
}

// The whole text as an integer: leading blanks, an optional sign, digits.
std::optional<int> wholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit)) return std::nullopt;
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{}) return std::nullopt;
    return negative ? -value : value;
}

// The 8250 driver registers ttyS0..ttyS31 whether or not a UART answers.
// Absent ones report UART type 0; older kernels also hang them on the
// platform bus instead of the bus the port was found on.
bool isPlaceholder(const fs::path& ttyEntry) {
    std::ifstream typeFile(ttyEntry / "type");
    std::string type;
    if (typeFile >> type && type == "0") return true;
    std::error_code ec;
    const fs::path subsystem = ttyEntry / "device" / "subsystem";
    if (!fs::is_symlink(subsystem, ec)) return false;
    return fs::read_symlink(subsystem, ec).filename() == "platform";
}

}  // namespace

TComPortsUsage::TComPortsUsage(fs::path rootDirectory) : fRootDirectory(std::move(rootDirectory)) {}

bool TComPortsUsage::fill_List(StringList& target) const {
    target.clear();
    std::set<std::string> devices;
    std::error_code ec;
    for (fs::directory_iterator it(fRootDirectory / "sys/class/tty", ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path entry = it->path();
        if (fs::exists(entry / "device", ec) && !isPlaceholder(entry)) {
            devices.insert(entry.filename().string());
        }
    }
    for (const std::string& name : devices) target.push_back("/dev/" + name);
    ec.clear();
    for (fs::directory_iterator it(fRootDirectory / "dev/serial/by-id", ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code linkError;
        const fs::path link = fs::read_symlink(it->path(), linkError);
        if (!linkError && devices.count(link.filename().string()) == 0) {
            target.push_back("/dev/serial/by-id/" + it->path().filename().string());
        }
    }
    std::sort(target.begin(), target.end(),
              [](const std::string& a, const std::string& b) { return naturalLess(a, b); });
    return !target.empty();
}

int TComPortsUsage::calculate_FromText(std::string_view text) {
    if (std::all_of(text.begin(), text.end(),
                    [](char c) { return static_cast<unsigned char>(c) <= ' '; })) {
        return -1;
    }
    if (text.front() == '/') {
        constexpr std::string_view kStandardPort = "/dev/ttyS";
        if (!text.starts_with(kStandardPort)) return 0;
        const auto n = wholeNumber(text.substr(kStandardPort.size()));
        return n && *n >= 0 && *n < std::numeric_limits<int>::max() ? *n + 1 : 0;
    }
    std::string_view number = text;
    if (const std::size_t at = text.find("COM "); at != std::string_view::npos) {
        number = text.substr(at + 4);
    } else if (const std::size_t at3 = text.find("COM"); at3 != std::string_view::npos) {
        number = text.substr(at3 + 3);
    }
    if (const auto value = wholeNumber(number)) return *value;
    return leadingNumber(number);
}

bool naturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const std::size_t startA = i;
            const std::size_t startB = j;
            while (i < a.size() && isDigit(a[i])) ++i;
            while (j < b.size() && isDigit(b[j])) ++j;
            std::string_view runA = a.substr(startA, i - startA);
            std::string_view runB = b.substr(startB, j - startB);
            while (runA.size() > 1 && runA.front() == '0') runA.remove_prefix(1);
            while (runB.size() > 1 && runB.front() == '0') runB.remove_prefix(1);
            if (runA.size() != runB.size()) return runA.size() < runB.size();
            if (runA != runB) return runA < runB;
            continue;
        }
        const char x = lowerAscii(a[i]);
        const char y = lowerAscii(b[j]);
        if (x != y) return x < y;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

}  // namespace tessel
