#include "sim/sim_base64.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel::sim {
namespace {

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

TEST(SimBase64, RoundTripsWholeGroupsAndBothTails) {
    struct Case {
        const char* plain;
        const char* encoded;
    };
    const Case cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(encodeBase64(bytesOf(c.plain)), c.encoded) << c.plain;
        EXPECT_EQ(decodeBase64(c.encoded), bytesOf(c.plain)) << c.encoded;
    }
    const Bytes all = [] {
        Bytes b;
        for (int i = 0; i < 256; ++i) b.push_back(static_cast<std::uint8_t>(i));
        return b;
    }();
    EXPECT_EQ(decodeBase64(encodeBase64(all)), all);
}

TEST(SimBase64, RefusesMalformedText) {
    for (const char* bad :
         {"Zg=a", "Z===", "Zg=", "Zm9", "Zm 9", "Zm9v!A==", "Zg==Zm9v", "Zm-v", "Zm_v", "===="}) {
        EXPECT_FALSE(decodeBase64(bad)) << bad;
    }
}

}  // namespace
}  // namespace tessel::sim
