#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessel {

// Where a register is reached, written as a short text:
//   tcp:HOST:PORT               (an IPv6 host in brackets: tcp:[::1]:3999)
//   serial:PATH[?baud=N]        (speed 115200 when not given; PATH is a
//                               device path, or COM n for /dev/ttyS<n-1>)
struct ConnectionSpec {
    enum class Kind { tcp, serial };
    Kind kind = Kind::tcp;
    std::string host;
    int port = 0;
    std::string path;
    int baudRate = kDefaultBaudRate;
    int portNumber = 0;  // serial: port n of COM n, used when path is empty

    static constexpr int kDefaultBaudRate = 115200;
    bool operator==(const ConnectionSpec&) const = default;
};

struct ConnectionParseResult {
    std::optional<ConnectionSpec> spec;
    std::string error;  // says what is wrong when spec is empty
};

ConnectionParseResult parseConnectionText(std::string_view text);
std::string formatConnectionText(const ConnectionSpec& spec);

}  // namespace tessel
