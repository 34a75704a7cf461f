#include <gtest/gtest.h>

#include <stdexcept>

#include "device/pcr.h"

namespace tessel {
namespace {

using enum TMorvik_ItIsType;
using enum TMayUseAfter;

TEST(PCRItem, CodeIntIsTheCodeReadAsANumberOrMinusOne) {
    struct Case {
        const char* code;
        std::int32_t expected;
    } cases[] = {
        {"000010001", 10001},
        {"000092003", 92003},
        {"ABC", -1},
        {"", -1},
        {"12a", -1},
        {" 12", -1},
        {"-5", -5},
        {"+7", 7},
        {"+", -1},
        {"++7", -1},
        {"99999999999", -1},
        {"2147483647", 2147483647},
    };
    TPCR pcrs;
    for (const Case& c : cases) {
        TPCRItem& item = pcrs.Add();
        ASSERT_TRUE(item.set_PCRValues(c.code, "n", st_StatusBit, mua_Always,
                                       TRWType::rwt_ReadWrite, TPacValueType::pvt_Integer, "v", 3,
                                       4, "2.0"));
        EXPECT_EQ(item.CodeInt(), c.expected) << c.code;
        EXPECT_EQ(item.CodeTxt(), c.code);
    }
    const TPCRItem& last = pcrs.GetItem(pcrs.Count() - 1);
    EXPECT_EQ(last.ItIs(), st_StatusBit);
    EXPECT_EQ(last.MayUseAfter(), mua_Always);
    EXPECT_EQ(last.rwType(), TRWType::rwt_ReadWrite);
    EXPECT_EQ(last.ValueType(), TPacValueType::pvt_Integer);
    EXPECT_EQ(last.Value(), "v");
    EXPECT_EQ(last.SourceIndex_1(), 3);
    EXPECT_EQ(last.SourceIndex_2(), 4);
    EXPECT_EQ(last.Version(), "2.0");
    EXPECT_EQ(last.ValueForTrue(), "1");
}

TEST(PCRItem, BlankNameBecomesItemAndIndexAndStays) {
    TPCR pcrs;
    for (int i = 0; i < 8; ++i) pcrs.Add().setName("named");
    TPCRItem& item = pcrs.GetItem(7);
    item.setName("  ");
    EXPECT_EQ(item.GetDisplayName(), "Item7");
    pcrs.Insert(0);
    EXPECT_EQ(item.GetDisplayName(), "Item7");
    EXPECT_EQ(item.Index(), 8);
    EXPECT_EQ(pcrs.GetItem(0).GetDisplayName(), "Item0");
}

TEST(PCR, IndexesOutsideTheCollectionAreRefused) {
    TPCR pcrs;
    pcrs.Add();
    EXPECT_THROW(pcrs.GetItem(1), std::out_of_range);
    EXPECT_THROW(pcrs.GetItem(-1), std::out_of_range);
    EXPECT_THROW(pcrs.Insert(2), std::out_of_range);
    EXPECT_NO_THROW(pcrs.Insert(1));
}

TEST(PCR, LookupAnswersTheFirstRecordInCollectionOrder) {
    TPCR pcrs;
    struct Row {
        const char* code;
        const char* name;
    } rows[] = {{"000021003", "syntax"},
                {"000021003", "invalid"},
                {"000052002", "inout"},
                {"000052003", "inout"}};
    for (const Row& r : rows) {
        pcrs.Add().set_PCRValues(r.code, r.name, st_Constant, mua_OpenClaimEnable,
                                 TRWType::rwt_ReadOnly, TPacValueType::pvt_String, "", -1, -1,
                                 "1.0.0");
    }
    EXPECT_EQ(pcrs.findByCode(21003), &pcrs.GetItem(0));
    EXPECT_EQ(pcrs.findByCodeTxt("000021003"), &pcrs.GetItem(0));
    EXPECT_EQ(pcrs.findByName("invalid"), &pcrs.GetItem(1));
    EXPECT_EQ(pcrs.findByName("inout"), &pcrs.GetItem(2));
    EXPECT_EQ(pcrs.findByCode(52003), &pcrs.GetItem(3));
    EXPECT_EQ(pcrs.findByName("absent"), nullptr);
    EXPECT_EQ(pcrs.findByCodeTxt("21003"), nullptr);
}

TEST(PCR, AssignCopiesEveryRecordAsItsOwnCopy) {
    TPCR source;
    TPCRItem& item = source.Add();
    item.set_PCRValues("000010001", "last_ErrorCode", st_oParam, mua_Open, TRWType::rwt_ReadWrite,
                       TPacValueType::pvt_Boolean, "x", 1, 2, "9");
    item.setValueForTrue("yes");
    TPCR target;
    target.Add();
    target.Add();
    target.Assign(source);
    ASSERT_EQ(target.Count(), 1);
    const TPCRItem& copy = target.GetItem(0);
    EXPECT_NE(&copy, &item);
    EXPECT_EQ(copy.CodeInt(), 10001);
    EXPECT_EQ(copy.Name(), "last_ErrorCode");
    EXPECT_EQ(copy.ItIs(), st_oParam);
    EXPECT_EQ(copy.ValueType(), TPacValueType::pvt_Boolean);
    EXPECT_EQ(copy.ValueForTrue(), "yes");
    EXPECT_EQ(copy.Index(), 0);
}

}  // namespace
}  // namespace tessel
