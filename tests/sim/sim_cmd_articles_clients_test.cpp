#include <gtest/gtest.h>

#include "register_fixture.h"

namespace tessel::sim::test {
namespace {

using ArticlesTest = RegisterTest;
using ClientsTest = RegisterTest;

// "P" for an article, fields as the articles page sends them.
std::string program(int plu, const std::string& name, const std::string& price = "12.50") {
    return "P\t" + std::to_string(plu) + "\t\xD0\x93\t3\t1\t" + price +
           "\t\t2.000\t1\t8600001\t\t\t\t" + name + "\t";
}

TEST_F(ArticlesTest, ProgrammedArticleReadsBackFieldByField) {
    ASSERT_EQ(code(107, program(17, "Шећер 1kg")), 0);
    EXPECT_EQ(run(107, "R\t17\t"),
              (Fields{"0", "17", "\xD0\x93", "3", "1", "12.50", "0.00", "0.000", "2.000", "1",
                      "8600001", "", "", "", "Шећер 1kg"}));
}

TEST_F(ArticlesTest, FirstLastAndDeletionsFollowTheTable) {
    for (int plu : {5, 9, 300, 24000}) ASSERT_EQ(code(107, program(plu, "A")), 0);
    EXPECT_EQ(run(107, "F\t1\t").at(1), "5");
    EXPECT_EQ(run(107, "F\t6\t").at(1), "9");
    EXPECT_EQ(run(107, "L\t24000\t").at(1), "24000");
    EXPECT_EQ(run(107, "L\t299\t").at(1), "9");

    EXPECT_EQ(code(107, "D\t300\t1\t"), 0);  // reversed range: nothing goes
    EXPECT_EQ(code(107, "R\t300\t"), 0);
    EXPECT_EQ(code(107, "D\t6\t300\t"), 0);
    EXPECT_EQ(code(107, "R\t9\t"), -111004);
    EXPECT_EQ(code(107, "R\t300\t"), -111004);
    EXPECT_EQ(code(107, "D\t5\t\t"), 0);
    EXPECT_EQ(code(107, "R\t5\t"), -111004);
    EXPECT_EQ(code(107, "D\tA\t\t"), 0);
    EXPECT_EQ(code(107, "F\t1\t"), -111004);
    EXPECT_EQ(code(107, "L\t24000\t"), -111004);
}

TEST_F(ArticlesTest, RefusedRequestsAnswerTheirCodeAndChangeNothing) {
    struct Case {
        std::string parameters;
        std::int32_t code;
    };
    const Case cases[] = {
        {"R\t8\t", -111004},  // not programmed
        {"D\t8\t\t", -111004},
        {"R\t0\t", -112202},  // PLU out of range
        {"R\t24001\t", -112202},
        {"R\tx\t", -112202},
        {"X\t1\t", -112201},  // unknown option
        {"", -112101},
        {"P\t8\t\xD0\x90\t1\t0\t1.00\t", -112107},  // fields missing
        {program(8, "A", "1.005"), -112206},        // price with three decimals
        {program(8, "A", "-1.00"), -112206},
        {program(8, std::string(41, 'x')), -112214},           // name longer than 40
        {"P\t8\t\t1\t0\t1.00\t\t0\t0\t\t\t\t\tA\t", -112203},  // no tax group
    };
    for (const Case& c : cases) EXPECT_EQ(code(107, c.parameters), c.code) << c.parameters;
    EXPECT_TRUE(reg_.snapshot().articles.empty());
    EXPECT_TRUE(execute(107, "P\t8\t").status[0] & 1) << "a syntax error raises the syntax bit";
    EXPECT_FALSE(execute(107, "R\t8\t").status[0] & 1) << "a refused value does not";
}

TEST_F(ArticlesTest, NameOfFortyCyrillicLettersIsAccepted) {
    std::string name;
    for (int i = 0; i < 40; ++i) name += "Ж";
    EXPECT_EQ(code(107, program(1, name)), 0);
    EXPECT_EQ(run(107, "R\t1\t").at(14), name);
}

TEST_F(ClientsTest, ProgramReadAndWalkTheDatabase) {
    ASSERT_EQ(code(140, "P\t7\tFirma d.o.o.\t101234567\tRS101234567\t"), 0);
    ASSERT_EQ(code(140, "P\t2\tĐak\t\t\t"), 0);
    ASSERT_EQ(code(140, "P\t100000\tLast\t1\t2\t"), 0);
    EXPECT_EQ(run(140, "R\t7\t"), (Fields{"0", "7", "Firma d.o.o.", "101234567", "RS101234567"}));
    EXPECT_EQ(run(140, "F\t\t").at(1), "2");
    EXPECT_EQ(run(140, "N\t").at(1), "7");
    EXPECT_EQ(run(140, "N\t").at(1), "100000");
    EXPECT_EQ(code(140, "N\t"), -106000);
    EXPECT_EQ(code(140, "N\t"), -106000);
}

TEST_F(ClientsTest, DeletionsAndRefusals) {
    for (int n : {1, 2, 3, 4}) ASSERT_EQ(code(140, "P\t" + std::to_string(n) + "\tC\t\t\t"), 0);
    EXPECT_EQ(code(140, "D\t2\t3\t"), 0);
    EXPECT_EQ(code(140, "R\t2\t"), -106000);
    EXPECT_EQ(code(140, "D\t4\t\t"), 0);
    EXPECT_EQ(code(140, "D\t4\t\t"), -106000);
    EXPECT_EQ(code(140, "D\tA\t\t"), 0);
    EXPECT_EQ(code(140, "F\t\t"), -106000);

    EXPECT_EQ(code(140, "R\t100001\t"), -112202);
    EXPECT_EQ(code(140, "P\t5\tName\t"), -112104);
    EXPECT_EQ(code(140, "P\t5\t" + std::string(61, 'n') + "\t\t\t"), -112203);
    EXPECT_EQ(code(140, "P\t5\tN\t" + std::string(21, '1') + "\t\t"), -112204);
    EXPECT_EQ(code(140, "Q\t"), -112201);
    EXPECT_TRUE(reg_.snapshot().clients.empty());
}

}  // namespace
}  // namespace tessel::sim::test
