#include "sim/sim_text.h"

#include <gtest/gtest.h>

#include "sim/sim_clock.h"

namespace tessel::sim {
namespace {

TEST(SimText, SplitsParameterTextLikeTheRegister) {
    EXPECT_EQ(splitFields(""), Fields{});
    EXPECT_EQ(splitFields("R\t5\t"), (Fields{"R", "5"}));
    EXPECT_EQ(splitFields("Name\t\t\t"), (Fields{"Name", "", ""}));
    EXPECT_EQ(splitFields("\t"), Fields{""});
    EXPECT_EQ(splitFields("START"), Fields{"START"});
}

TEST(SimText, IntegerFieldWithinItsRange) {
    const Fields f{"1", "30", "0", "31", "-1", "x", ""};
    struct Case {
        std::size_t index;
        std::optional<int> value;
    };
    const Case cases[] = {{0, 1}, {1, 30}, {2, {}}, {3, {}}, {4, {}}, {5, {}}, {6, {}}, {7, {}}};
    for (const Case& c : cases) EXPECT_EQ(integerAt(f, c.index, 1, 30), c.value) << c.index;
    EXPECT_EQ(integerAt(f, 4, -1, 0), -1);
}

TEST(SimText, FixedPointAmounts) {
    struct Case {
        const char* text;
        int decimals;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {
        {"12.5", 2, 1250},  {"12.50", 2, 1250}, {"1000", 2, 100000}, {"-5", 2, -500},
        {"2.000", 3, 2000}, {".5", 2, 50},      {"12.345", 2, {}},   {"12.", 2, {}},
        {"", 2, {}},        {"1,5", 2, {}},     {"-", 2, {}},        {"1e3", 2, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(parseFixed(c.text, c.decimals), c.value) << c.text;
    EXPECT_EQ(formatFixed(1250, 2), "12.50");
    EXPECT_EQ(formatFixed(-5, 2), "-0.05");
    EXPECT_EQ(formatFixed(2000, 3), "2.000");
    EXPECT_EQ(formatFixed(7, 0), "7");
}

TEST(SimClock, RegisterDateTimeTextRoundTripsAndRefusesImpossibleDates) {
    const LocalSeconds t = makeLocalTime(2024, 7, 5, 14, 3, 9);
    EXPECT_EQ(formatRegisterTime(t, false), "05-07-24 14:03:09");
    EXPECT_EQ(formatRegisterTime(t, true), "05-07-24 14:03:09 DST");
    EXPECT_EQ(parseRegisterTime("05-07-24 14:03:09"), t);
    EXPECT_EQ(parseRegisterTime("05-07-24 14:03:09 DST"), t);
    for (const char* bad : {"31-02-24 10:00:00", "05-13-24 10:00:00", "05-07-24 24:00:00",
                            "5-7-24 14:03:09", "05-07-24 14:03:09 XYZ", "05-07-2024 14:03:09"}) {
        EXPECT_FALSE(parseRegisterTime(bad)) << bad;
    }
}

TEST(SimClock, SummerTimeRunsFromLastSundayOfMarchToLastSundayOfOctober) {
    EXPECT_FALSE(isSummerTime(makeLocalTime(2022, 3, 27, 1, 59, 59)));
    EXPECT_TRUE(isSummerTime(makeLocalTime(2022, 3, 27, 2, 0, 0)));
    EXPECT_TRUE(isSummerTime(makeLocalTime(2022, 10, 30, 2, 59, 59)));
    EXPECT_FALSE(isSummerTime(makeLocalTime(2022, 10, 30, 3, 0, 0)));
    EXPECT_TRUE(isSummerTime(makeLocalTime(2024, 3, 31, 2, 0, 0)));  // 31 March is a Sunday
    EXPECT_FALSE(isSummerTime(makeLocalTime(2024, 1, 1, 0, 0, 0)));
}

}  // namespace
}  // namespace tessel::sim
