#pragma once

#include <filesystem>
#include <string_view>

#include "util/string_list.h"

namespace tessel {

// Lists the serial ports of this computer as device paths and turns a port
// text back into a port number.
class TComPortsUsage {
public:
    // Discovery looks below rootDirectory ("/" on a live system), so tests
    // can run it on a fake tree.
    explicit TComPortsUsage(std::filesystem::path rootDirectory = "/");

    const std::filesystem::path& rootDirectory() const { return fRootDirectory; }
    void setRootDirectory(std::filesystem::path root) { fRootDirectory = std::move(root); }

    // Clears target and fills it with the serial devices: every
    // /sys/class/tty entry with a device behind it (the 8250 driver's
    // placeholders for absent UARTs left out) as /dev/<name>, plus the links
    // in /dev/serial/by-id that lead to a device not listed yet, in natural
    // order (ttyS2 before ttyS10). True when at least one was found.
    bool fill_List(StringList& target) const;

    // Port number of a text: "COM 12", "COM 012", "COM12" and "12" give 12; a
    // part that is not a number gives the value of its leading digits (0
    // when none); an empty or blank text gives -1. A device path gives n + 1
    // for /dev/ttyS<n> (the usual COMn mapping) and 0 for any other device,
    // which is opened by its path.
    static int calculate_FromText(std::string_view text);

private:
    std::filesystem::path fRootDirectory;
};

// Natural order, ignoring case: digit runs compare by value.
bool naturalLess(std::string_view a, std::string_view b);

}  // namespace tessel
