#include "records/connection_text.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

using Kind = ConnectionSpec::Kind;

TEST(ConnectionText, ParsesBothFormsAndFormatsThemBack) {
    struct Case {
        const char* text;
        ConnectionSpec spec;
        const char* formatted;
    };
    const Case cases[] = {
        {"tcp:127.0.0.1:3999", {Kind::tcp, "127.0.0.1", 3999, "", 115200}, "tcp:127.0.0.1:3999"},
        {"tcp:register.shop:1", {Kind::tcp, "register.shop", 1, "", 115200}, "tcp:register.shop:1"},
        {"tcp:[::1]:65535", {Kind::tcp, "::1", 65535, "", 115200}, "tcp:[::1]:65535"},
        {"serial:/dev/ttyUSB0",
         {Kind::serial, "", 0, "/dev/ttyUSB0", 115200, 0},
         "serial:/dev/ttyUSB0?baud=115200"},
        {"serial:/dev/ttyS2?baud=9600",
         {Kind::serial, "", 0, "/dev/ttyS2", 9600, 3},
         "serial:/dev/ttyS2?baud=9600"},
        {"serial:COM 3?baud=9600", {Kind::serial, "", 0, "", 9600, 3}, "serial:COM 3?baud=9600"},
        {"serial:COM12", {Kind::serial, "", 0, "", 115200, 12}, "serial:COM 12?baud=115200"},
    };
    for (const auto& c : cases) {
        const auto result = parseConnectionText(c.text);
        ASSERT_TRUE(result.spec) << c.text << ": " << result.error;
        EXPECT_EQ(*result.spec, c.spec) << c.text;
        EXPECT_EQ(formatConnectionText(*result.spec), c.formatted);
    }
}

TEST(ConnectionText, RefusesMalformedTextsWithAReason) {
    struct Case {
        const char* text;
        const char* reasonPart;
    };
    const Case cases[] = {
        {"", "empty"},
        {"127.0.0.1:3999", "unknown connection"},
        {"udp:host:1", "unknown connection"},
        {"tcp", "unknown connection"},
        {"tcp:host", "port is missing"},
        {"tcp::3999", "host is missing"},
        {"tcp:host:", "is not a number from 1 to 65535"},
        {"tcp:host:0", "is not a number from 1 to 65535"},
        {"tcp:host:65536", "is not a number from 1 to 65535"},
        {"tcp:host:39x", "is not a number from 1 to 65535"},
        {"tcp:host:99999999999999", "is not a number from 1 to 65535"},
        {"tcp:::1:3999", "IPv6 host in brackets"},
        {"tcp:[::1]3999", "[ADDRESS]:PORT"},
        {"serial:", "device path is missing"},
        {"serial:?baud=9600", "device path is missing"},
        {"serial:ttyUSB0", "neither a device path nor COM n"},
        {"serial:COM 0", "neither a device path nor COM n"},
        {"serial: ", "neither a device path nor COM n"},
        {"serial:/dev/ttyS0?baud=", "is not a positive number"},
        {"serial:/dev/ttyS0?baud=-9600", "is not a positive number"},
        {"serial:/dev/ttyS0?parity=none", "unknown option"},
    };
    for (const auto& c : cases) {
        const auto result = parseConnectionText(c.text);
        EXPECT_FALSE(result.spec) << c.text;
        EXPECT_NE(result.error.find(c.reasonPart), std::string::npos)
            << c.text << " gave: " << result.error;
    }
}

}  // namespace
}  // namespace tessel
