#include <gtest/gtest.h>

#include "device/custom_mapping.h"

namespace tessel {
namespace {

TEST(CustomMapping, SixteenCarriesGeorgianAsCyrillicBothWays) {
    struct Case {
        const char* georgian;
        const char* cyrillic;
    } cases[] = {
        {"\u10D0", "\u0430"},
        {"\u10EF", "\u044F"},
        {"\u10F0", "\u0451"},
        {"a\u10D1 1\t", "a\u0431 1\t"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(apply_CustomMapping(c.georgian, 16), c.cyrillic);
        EXPECT_EQ(reverse_CustomMapping(c.cyrillic, 16), c.georgian);
    }
    // Neighbours of the ranges stay as they are.
    EXPECT_EQ(apply_CustomMapping("\u10CF\u10F1", 16), "\u10CF\u10F1");
    EXPECT_EQ(reverse_CustomMapping("\u042F\u0450\u0452", 16), "\u042F\u0450\u0452");
}

TEST(CustomMapping, AnyOtherCodeCopiesTheText) {
    for (int code : {0, 15, 17, 26}) {
        EXPECT_EQ(apply_CustomMapping("\u10D0", code), "\u10D0");
        EXPECT_EQ(reverse_CustomMapping("\u0430", code), "\u0430");
    }
}

}  // namespace
}  // namespace tessel
