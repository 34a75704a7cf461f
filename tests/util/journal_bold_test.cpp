#include "util/journal_bold.h"

#include <gtest/gtest.h>

#include <ostream>

namespace tessel {

void PrintTo(const TBoldRange& range, std::ostream* os) {
    *os << "{line " << range.line << ", start " << range.start << ", length " << range.length
        << "}";
}

namespace {

TEST(DoBold, HeadingRunKeepsTheColumns) {
    const TBoldText text = doBold({"^T^O^T^A^L  123"});
    ASSERT_EQ(text.lines.size(), 1u);
    EXPECT_EQ(text.lines[0], "TOTAL       123");
    EXPECT_EQ(text.bold, (std::vector<TBoldRange>{{0, 0, 5}}));
}

TEST(DoBold, LinesWithoutCaretsAreUntouched) {
    const StringList lines{"  plain  line  ", "", "\u0160e\u0107er   1.00"};
    const TBoldText text = doBold(lines);
    EXPECT_EQ(text.lines, lines);
    EXPECT_TRUE(text.bold.empty());
}

TEST(DoBold, HeadingWithoutDoubleSpaceOnlyLosesItsCarets) {
    const TBoldText text = doBold({"^A^B C"});
    EXPECT_EQ(text.lines[0], "AB C");
    EXPECT_EQ(text.bold, (std::vector<TBoldRange>{{0, 0, 2}}));
}

TEST(DoBold, SegmentsAreShiftedRightByHalfTheirCarets) {
    // The segment before a gap keeps its right edge: two carets gone, one
    // space in front of the segment.
    TBoldText text = doBold({"x ^A^B  y"});
    EXPECT_EQ(text.lines[0], " x AB  y");
    EXPECT_EQ(text.bold, (std::vector<TBoldRange>{{0, 3, 2}}));

    // The last segment of a narrow line gets half its carets as spaces...
    text = doBold({"SUM ^1^2"});
    EXPECT_EQ(text.lines[0], " SUM 12");
    // ...of a line longer than 46 characters, all of them.
    const std::string dots(44, '.');
    text = doBold({dots + " ^1^2"});
    EXPECT_EQ(text.lines[0], "  " + dots + " 12");
    EXPECT_EQ(text.bold, (std::vector<TBoldRange>{{0, 47, 2}}));
}

TEST(DoBold, ColumnsOfATypicalReceiptLine) {
    const TBoldText text = doBold({"^B^R^O^J  ^1^2^.^5^0  ^A"});
    EXPECT_EQ(text.lines[0], "BROJ        12.50  A");
    EXPECT_EQ(text.bold, (std::vector<TBoldRange>{{0, 0, 4}, {0, 12, 5}, {0, 19, 1}}));
}

TEST(DoBold, RangesPerLineAndInCharacters) {
    const TBoldText text = doBold({"no marks", "\u0160^\u0107x", "^^A", "end^"});
    EXPECT_EQ(text.lines, (StringList{"no marks", "\u0160\u0107x", "A", "end"}));
    EXPECT_EQ(text.bold, (std::vector<TBoldRange>{{1, 1, 1}, {2, 0, 1}}));
}

TEST(DoBold, DegenerateLines) {
    const TBoldText text = doBold({"^", "^^", "^ ", "  ^"});
    EXPECT_EQ(text.lines, (StringList{"", "", " ", "  "}));
    EXPECT_EQ(text.bold, (std::vector<TBoldRange>{{2, 0, 1}}));
}

}  // namespace
}  // namespace tessel
