#include "records/connection_text.h"

#include <charconv>

#include "util/com_ports_usage.h"

namespace tessel {

namespace {

constexpr std::string_view kForms = "expected tcp:HOST:PORT or serial:PATH[?baud=N]";

std::optional<int> wholeNumber(std::string_view text) {
    int value = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end) return std::nullopt;
    return value;
}

ConnectionParseResult failure(std::string message) {
    return {std::nullopt, std::move(message)};
}

ConnectionParseResult parseTcp(std::string_view rest) {
    std::string_view host;
    std::string_view port;
    if (rest.starts_with('[')) {
        const auto close = rest.find(']');
        if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ':') {
            return failure("tcp: an IPv6 host is written [ADDRESS]:PORT");
        }
        host = rest.substr(1, close - 1);
        port = rest.substr(close + 2);
    } else {
        const auto colon = rest.rfind(':');
        if (colon == std::string_view::npos)
            return failure("tcp: the port is missing; " + std::string(kForms));
        host = rest.substr(0, colon);
        port = rest.substr(colon + 1);
        if (host.find(':') != std::string_view::npos) {
            return failure("tcp: write an IPv6 host in brackets, as tcp:[::1]:3999");
        }
    }
    if (host.empty()) return failure("tcp: the host is missing; " + std::string(kForms));
    const auto number = wholeNumber(port);
    if (!number || *number < 1 || *number > 65535) {
        return failure("tcp: the port \"" + std::string(port) +
                       "\" is not a number from 1 to 65535");
    }
    ConnectionSpec spec;
    spec.kind = ConnectionSpec::Kind::tcp;
    spec.host = std::string(host);
    spec.port = *number;
    return {spec, {}};
}

ConnectionParseResult parseSerial(std::string_view rest) {
    ConnectionSpec spec;
    spec.kind = ConnectionSpec::Kind::serial;
    const auto question = rest.find('?');
    const std::string_view port = rest.substr(0, question);
    if (port.empty()) return failure("serial: the device path is missing; " + std::string(kForms));
    // A device path is opened by its path; "COM n" only by its number.
    spec.portNumber = TComPortsUsage::calculate_FromText(port);
    if (port.starts_with('/')) {
        spec.path = std::string(port);
    } else if (spec.portNumber < 1) {
        return failure("serial: \"" + std::string(port) +
                       "\" is neither a device path nor COM n; " + std::string(kForms));
    }
    if (question != std::string_view::npos) {
        const std::string_view option = rest.substr(question + 1);
        constexpr std::string_view kBaud = "baud=";
        if (!option.starts_with(kBaud)) {
            return failure("serial: unknown option \"" + std::string(option) +
                           "\"; only baud=N is known");
        }
        const auto baud = wholeNumber(option.substr(kBaud.size()));
        if (!baud || *baud <= 0) {
            return failure("serial: the speed \"" + std::string(option.substr(kBaud.size())) +
                           "\" is not a positive number");
        }
        spec.baudRate = *baud;
    }
    return {spec, {}};
}

}  // namespace

ConnectionParseResult parseConnectionText(std::string_view text) {
    const auto colon = text.find(':');
    if (text.empty()) return failure("the connection text is empty; " + std::string(kForms));
    const std::string_view scheme = text.substr(0, colon);
    const std::string_view rest =
        colon == std::string_view::npos ? std::string_view{} : text.substr(colon + 1);
    if (colon != std::string_view::npos && scheme == "tcp") return parseTcp(rest);
    if (colon != std::string_view::npos && scheme == "serial") return parseSerial(rest);
    return failure("unknown connection \"" + std::string(text) + "\"; " + std::string(kForms));
}

std::string formatConnectionText(const ConnectionSpec& spec) {
    if (spec.kind == ConnectionSpec::Kind::serial) {
        const std::string port =
            spec.path.empty() ? "COM " + std::to_string(spec.portNumber) : spec.path;
        return "serial:" + port + "?baud=" + std::to_string(spec.baudRate);
    }
    const bool v6 = spec.host.find(':') != std::string::npos;
    return "tcp:" + (v6 ? "[" + spec.host + "]" : spec.host) + ":" + std::to_string(spec.port);
}

}  // namespace tessel
