#include "util/fixed_format.h"

#include <gtest/gtest.h>

#include <limits>

#include "util/fd_misc.h"

namespace tessel {
namespace {

TEST(FixedFormat, DecimalsRoundHalfAwayFromZero) {
    struct Case {
        double value;
        int decimals;
        const char* expected;
    };
    const Case cases[] = {
        {12.5, 2, "12.50"},        {2.675, 2, "2.68"}, {1.005, 2, "1.01"},
        {-2.675, 2, "-2.68"},      {0.125, 2, "0.13"}, {9.995, 2, "10.00"},
        {999.9996, 3, "1000.000"}, {1.0, 3, "1.000"},  {1234567.891, 2, "1234567.89"},
        {-0.001, 2, "0.00"},       {0.5, 0, "1"},      {7, -1, "7"},
        {1e-7, 2, "0.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatDecimal(c.value, c.decimals), c.expected) << c.value;
    }
    EXPECT_EQ(formatDecimal(std::numeric_limits<double>::infinity(), 2), "inf");
}

TEST(FixedFormat, ShortestForm) {
    EXPECT_EQ(formatShortest(1.5), "1.5");
    EXPECT_EQ(formatShortest(2), "2");
    EXPECT_EQ(formatShortest(0.1), "0.1");
    EXPECT_EQ(formatShortest(-0.0), "0");
    EXPECT_EQ(formatShortest(1e21), "1000000000000000000000");
}

TEST(FixedFormat, ParseDecimal) {
    EXPECT_EQ(parseDecimal("12.50"), 12.5);
    EXPECT_EQ(parseDecimal(" -3 "), -3.0);
    EXPECT_EQ(parseDecimal("+.5"), 0.5);
    EXPECT_EQ(parseDecimal("7."), 7.0);
    EXPECT_EQ(parseDecimal("1.5e2"), 150.0);
    for (const char* bad : {"", " ", "12,50", "1,234.50", "abc", "1.2.3", "inf", "nan", "--1", "1e",
                            ".", "1e999", "0x10", "12 5"}) {
        EXPECT_FALSE(parseDecimal(bad).has_value()) << bad;
    }
    TFormatSettings comma;
    comma.decimalSeparator = ",";
    EXPECT_EQ(parseDecimal("12,50", comma), 12.5);
    EXPECT_FALSE(parseDecimal("12.50", comma).has_value());
    EXPECT_EQ(formatDecimal(12.5, 2, comma), "12,50");
}

TEST(FixedFormat, FormatDateTime) {
    const TDateTimeParts when{2024, 3, 7, 9, 5, 4, 42};
    EXPECT_EQ(formatDateTime("dd.mm.yyyy", when), "07.03.2024");
    EXPECT_EQ(formatDateTime("hh:mm:ss", when), "09:05:04");
    EXPECT_EQ(formatDateTime("hh:nn:ss.zzz", when), "09:05:04.042");
    EXPECT_EQ(formatDateTime("d/m/yy h:n:s", when), "7.3.24 9:5:4");
    EXPECT_EQ(formatDateTime("DD-MM-YY \"at\" HH:MM", when), "07-03-24 at 09:05");
    TFormatSettings other;
    other.dateSeparator = "-";
    other.timeSeparator = ";";
    EXPECT_EQ(formatDateTime("dd/mm/yyyy hh:nn", when, other), "07-03-2024 09;05");
}

TEST(FixedFormat, ParseDateAndTime) {
    EXPECT_EQ(parseDate("07.03.2024"), (TDateTimeParts{2024, 3, 7, 0, 0, 0, 0}));
    EXPECT_EQ(parseDate("7.3.24"), (TDateTimeParts{2024, 3, 7, 0, 0, 0, 0}));
    EXPECT_EQ(parseDate("29.02.2024")->day, 29);
    for (const char* bad : {"29.02.2023", "31.04.2024", "00.01.2024", "01.13.2024", "1.1",
                            "01/01/2024", "aa.01.2024", "", "01.01.12345"}) {
        EXPECT_FALSE(parseDate(bad).has_value()) << bad;
    }
    TFormatSettings iso;
    iso.dateSeparator = "-";
    iso.shortDateFormat = "yyyy-mm-dd";
    EXPECT_EQ(parseDate("2024-03-07", iso), (TDateTimeParts{2024, 3, 7, 0, 0, 0, 0}));

    const auto t = parseTime("23:59:58");
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(t->hour * 10000 + t->minute * 100 + t->second, 235958);
    EXPECT_EQ(parseTime("7:05")->minute, 5);
    EXPECT_EQ(parseTime("10:00:00.5")->millisecond, 500);
    EXPECT_EQ(parseTime("10:00:00.042")->millisecond, 42);
    for (const char* bad :
         {"24:00:00", "12:60", "12:00:60", "12", "1:2:3:4", "12:00:00.1234", "a:b"}) {
        EXPECT_FALSE(parseTime(bad).has_value()) << bad;
    }
}

TEST(SetLocalShits, SetsTheComponentFormatsOrRefuses) {
    TFDMisc misc;
    EXPECT_EQ(misc.FormatSettings(), TFormatSettings{});
    EXPECT_TRUE(misc.set_LocalShits("/", ":", ",", "dd/mm/yyyy", "hh:mm", "dddd", "hh:mm:ss"));
    EXPECT_EQ(misc.FormatSettings().decimalSeparator, ",");
    EXPECT_EQ(misc.FormatSettings().shortDateFormat, "dd/mm/yyyy");
    const TFormatSettings before = misc.FormatSettings();
    EXPECT_FALSE(misc.set_LocalShits("..", ":", ".", "dd.mm.yyyy", "hh:mm:ss", "x", "y"));
    EXPECT_FALSE(misc.set_LocalShits(".", ":", "", "dd.mm.yyyy", "hh:mm:ss", "x", "y"));
    EXPECT_FALSE(misc.set_LocalShits(".", ":", ".", "", "hh:mm:ss", "x", "y"));
    EXPECT_EQ(misc.FormatSettings(), before);
    EXPECT_TRUE(
        misc.set_LocalShits(".", ":", ".", "dd.mm.yyyy", "hh:mm:ss", "dd.mm.yyyy", "hh:mm:ss"));
    EXPECT_EQ(misc.FormatSettings(), TFormatSettings{});
}

}  // namespace
}  // namespace tessel
