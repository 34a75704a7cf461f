#include <gtest/gtest.h>

#include "register_fixture.h"

namespace tessel::sim::test {
namespace {

class ReceiptsTest : public RegisterTest {
protected:
    void SetUp() override {
        // Article 1 at 10.00, tax group А, stock 5.000.
        ASSERT_EQ(code(107, "P\t1\t\xD0\x90\t1\t0\t10.00\t\t5.000\t0\t\t\t\t\tTest item\t"), 0);
    }

    // Reads every line of a journal document.
    std::vector<std::string> document(int number) {
        std::vector<std::string> lines;
        if (code(125, "0\t" + std::to_string(number) + "\t") != 0) return lines;
        for (;;) {
            const Fields f = run(125, "1\t");
            if (f.at(0) != "0") {
                EXPECT_EQ(f.at(0), "-100003");
                return lines;
            }
            lines.push_back(f.at(1));
        }
    }
};

TEST_F(ReceiptsTest, SaleReceiptFromOpeningToClosing) {
    ASSERT_EQ(code(48, "1\t1\t1234567890123456\t1\t"), 0);
    EXPECT_TRUE(statusBit(2, 3)) << "Fiscal receipt is open";
    EXPECT_EQ(run(58, "1\t2.000\t10.00\t1\t2.5\t"), (Fields{"0", "20.50", "20.50"}));
    const Fields amounts = run(76, "");
    EXPECT_EQ(amounts.at(6), "20.50");
    EXPECT_EQ(amounts.at(7), "0.00");
    EXPECT_EQ(code(56, ""), -111050) << "not paid yet";
    EXPECT_EQ(code(53, "1\t30.00\t"), -111063) << "a card pays no more than due";
    EXPECT_EQ(run(53, "0\t25\t").at(2), "4.50") << "change";
    const Fields closed = run(56, "");
    ASSERT_EQ(closed.at(0), "0");
    EXPECT_FALSE(statusBit(2, 3));

    const RegisterState s = reg_.snapshot();
    EXPECT_EQ(s.cashInDrawer, 2050);
    EXPECT_EQ(s.articles.at(1).turnover, 2050);
    EXPECT_EQ(s.articles.at(1).soldQty, 2000);
    EXPECT_EQ(s.articles.at(1).stockQty, 3000);
    const auto lines = document(std::stoi(closed.at(1)));
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "\x1DTest item\x1D"
                        "2.000 x 10.00\x1D"
                        "20.50 \xD0\x90"),
              lines.end());
}

TEST_F(ReceiptsTest, DiscountAndReclamation) {
    ASSERT_EQ(code(48, "1\t1\t1\t1\t"), 0);
    EXPECT_EQ(run(58, "1\t1.000\t10.00\t2\t-5\t").at(1), "9.50");
    ASSERT_EQ(code(53, "0\t\t"), 0) << "no amount pays the rest";
    ASSERT_EQ(code(56, ""), 0);
    ASSERT_EQ(code(43, "1\t1\t1\t7\t1234\t"), 0);
    EXPECT_EQ(run(58, "1\t1.000\t\t0\t0.00\t").at(1), "10.00") << "the article's own price";
    ASSERT_EQ(code(53, "0\t10.00\t"), 0);
    EXPECT_EQ(code(56, ""), -111017) << "9.50 in the drawer cannot refund 10.00";
}

TEST_F(ReceiptsTest, RefusedReceiptSteps) {
    EXPECT_EQ(code(58, "1\t1.000\t1.00\t0\t0.00\t"), -111016) << "no receipt open";
    EXPECT_EQ(code(53, "0\t1.00\t"), -111016);
    EXPECT_EQ(code(56, ""), -111016);
    EXPECT_EQ(code(48, "1\t9\t1\t1\t"), -102002) << "wrong operator password";
    EXPECT_EQ(code(48, "31\t1\t1\t1\t"), -112201);
    EXPECT_EQ(code(48, "1\t1\t\t1\t"), -112203) << "no IOSA number";
    ASSERT_EQ(code(48, "1\t1\t1\t1\t"), 0);
    EXPECT_EQ(code(48, "1\t1\t1\t1\t"), -111015);
    EXPECT_EQ(code(107, "D\tA\t\t"), -111015) << "articles stay while a receipt is open";
    EXPECT_EQ(code(70, "0\t1.00\t"), -111015);
    EXPECT_EQ(code(53, "0\t1.00\t"), -111020) << "nothing sold";
    EXPECT_EQ(code(58, "2\t1.000\t1.00\t0\t0.00\t"), -111004);
    EXPECT_EQ(code(58, "1\t0\t1.00\t0\t0.00\t"), -112202);
    ASSERT_EQ(code(255, "KeyOTS_forbidden\t0\t1\t"), 0);
    EXPECT_EQ(code(58, "1\t1.000\t1.00\t2\t-5\t"), -111062) << "discount key forbidden";
}

TEST_F(ReceiptsTest, CashInAndOutBookEachMovement) {
    EXPECT_EQ(run(70, "0\t12.5\t"), (Fields{"0", "12.50", "12.50", "0.00"}));
    EXPECT_EQ(run(70, "1\t2.50\t"), (Fields{"0", "10.00", "12.50", "2.50"}));
    EXPECT_EQ(code(70, "1\t1000.00\t"), -111017);
    EXPECT_EQ(code(70, "2\t1.00\t"), -112201);
    EXPECT_EQ(code(70, "0\tabc\t"), -112202);
    EXPECT_EQ(code(70, "0\t0\t"), -112202);
}

TEST_F(ReceiptsTest, SampleJournalHasBoldCaretsAndColumnLines) {
    const auto lines = document(1);
    ASSERT_FALSE(lines.empty());
    bool caret = false, columns = false;
    for (const std::string& l : lines) {
        caret = caret || l.find('^') != std::string::npos;
        columns = columns || (!l.empty() && l[0] == '\x1D');
    }
    EXPECT_TRUE(caret);
    EXPECT_TRUE(columns);
    EXPECT_EQ(code(125, "0\t999\t"), -105000);
    EXPECT_EQ(code(125, "3\t2\t"), 0);
    EXPECT_EQ(run(125, "1\t").at(0), "0") << "printing selects the document";
    EXPECT_EQ(code(125, "7\t"), -112201);
}

TEST_F(ReceiptsTest, JournalPeriodFindsFirstAndLastDocument) {
    const Fields all = run(124, "01-01-24 00:00:00\t31-12-24 23:59:59 DST\t");
    ASSERT_EQ(all.at(0), "0");
    const int first = std::stoi(all.at(3));
    const int last = std::stoi(all.at(4));
    EXPECT_EQ(first, 1);
    EXPECT_EQ(last, static_cast<int>(reg_.snapshot().journal.size()));
    EXPECT_EQ(code(124, "01-01-20 00:00:00\t02-01-20 00:00:00\t"), -105000);
    EXPECT_EQ(code(124, "01-01-20\t02-01-20 00:00:00\t"), -112201);
    // A cash movement is a new document of today.
    ASSERT_EQ(code(70, "0\t5.00\t"), 0);
    const Fields today = run(124, "05-07-24 00:00:00\t05-07-24 23:59:59\t");
    EXPECT_EQ(today.at(3), today.at(4));
    EXPECT_EQ(std::stoi(today.at(4)), last + 1);
}

// Room for the five sample documents and one more.
class SmallJournalTest : public RegisterTest {
protected:
    SmallJournalTest() : RegisterTest(RegisterConfig{.journalCapacity = 6}) {}
};

TEST_F(SmallJournalTest, FullJournalRefusesNewDocumentsAndShowsInTheStatus) {
    ASSERT_EQ(reg_.snapshot().journal.size(), 5u);
    EXPECT_FALSE(statusBit(2, 2)) << "EJ full";
    EXPECT_FALSE(statusBit(2, 4)) << "EJ nearly full";
    ASSERT_EQ(code(70, "0\t5.00\t"), 0);
    EXPECT_TRUE(statusBit(2, 2));
    EXPECT_TRUE(statusBit(2, 4));
    EXPECT_EQ(code(70, "0\t5.00\t"), -105010);
    EXPECT_EQ(code(48, "1\t1\t1\t1\t"), -105010) << "no receipt can be printed either";
    EXPECT_EQ(reg_.snapshot().journal.size(), 6u);
    EXPECT_EQ(reg_.snapshot().cashInDrawer, 500) << "the refused cash-in is not booked";
}

}  // namespace
}  // namespace tessel::sim::test
