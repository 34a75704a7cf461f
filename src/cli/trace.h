#pragma once

#include <cstdint>
#include <string>

namespace tessel::cli {

// One request or answer as the device component's communication events
// report it while the transport's sniffer is active.
struct TraceFrame {
    bool toDevice = true;
    bool success = false;
    std::int64_t id = 0;      // the sniffer's command counter
    std::string repeatIndex;  // attempt number
    std::string header;       // hexadecimal, "01 30 " and so on
    std::string data;
    std::string footer;
    std::string text;
    std::string dateTime;
    std::string command;
};

// One line, no line break:
//   TX #1 try 1 cmd 90 ok 11.12.2026 10:00:00:000 | 01 2E 20 5A | 23 09 | 05 ... 03 | "#\t"
// The text is quoted with C escapes so that control bytes never break the line.
std::string traceLine(const TraceFrame& frame);

}  // namespace tessel::cli
