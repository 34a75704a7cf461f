#include <gtest/gtest.h>

#include "device/device_dependent.h"

namespace tessel {
namespace {

using enum TSCountries;

TEST(DeviceDependent, StartsAsAGenericFiscalPrinter) {
    TDeviceDependent dd;
    EXPECT_EQ(dd.CodePage(), 1252u);
    EXPECT_FALSE(dd.CustomCodePage());
    EXPECT_EQ(dd.CustomCodePageCode(), 0);
    EXPECT_EQ(dd.Country(), Unknown);
    EXPECT_EQ(dd.DeviceType(), TFiscalDeviceType::FiscalPrinter);
    EXPECT_TRUE(dd.TransportSupport().RS232);
    EXPECT_FALSE(dd.TransportSupport().TCPIP);
    EXPECT_EQ(dd.LowLevel().ProtocolType(), TPacketFormat::protocol_Type1);
    EXPECT_EQ(dd.LowLevel().errorCheckType(), TErrorChecking::ccEndUser);
    EXPECT_EQ(dd.SalesLimitations().maxNumberOfSaleRowsPerSale(), 380);
    EXPECT_EQ(dd.SalesLimitations().maxNumberOfRowsPerSale(), 1000);
    EXPECT_EQ(dd.SalesLimitations().maxNumberOfSalesPerZReport(), -1);
    EXPECT_EQ(dd.SalesLimitations().numberOfSignificantDigits().maxDaySum, 14);
    EXPECT_EQ(dd.i90().specialParam(), "#");
    EXPECT_FALSE(dd.i90().getAfterConnect());
    EXPECT_EQ(dd.cmds().Count(), 0);
    EXPECT_EQ(dd.pcrs().Count(), 0);
}

TEST(DeviceDependent, CountryAppliesItsCodePageRuleOnly) {
    struct Case {
        TSCountries country;
        std::uint32_t codePage;
        bool custom;
        std::int32_t customCode;
    } cases[] = {
        // Every case starts from code page 1250, custom mapping off, code 26.
        {Unknown, 1252, false, 26}, {Bulgaria, 1251, false, 26}, {Georgia, 1251, true, 16},
        {Serbia, 1250, false, 26},  {Romania, 1250, false, 26},
    };
    for (const Case& c : cases) {
        TDeviceDependent dd;
        dd.setCodePage(1250);
        dd.setCustomCodePageCode(26);
        dd.setCountry(c.country);
        SCOPED_TRACE(static_cast<int>(c.country));
        EXPECT_EQ(dd.Country(), c.country);
        EXPECT_EQ(dd.CodePage(), c.codePage);
        EXPECT_EQ(dd.CustomCodePage(), c.custom);
        EXPECT_EQ(dd.CustomCodePageCode(), c.customCode);
    }

    TDeviceDependent dd;
    dd.setCountry(Georgia);
    dd.setCountry(Serbia);
    EXPECT_EQ(dd.CodePage(), 1251u);
    EXPECT_TRUE(dd.CustomCodePage());
    EXPECT_EQ(dd.CustomCodePageCode(), 16);
}

TEST(DeviceDependent, AssignCopiesValuesAndTheCountryRuleWins) {
    TDeviceDependent source;
    source.setCountry(Bulgaria);
    source.setCodePage(1250);  // overridden again by Bulgaria's rule on assignment
    source.setCustomCodePageCode(26);
    source.setDeviceType(TFiscalDeviceType::ElectronicCashRegister);
    source.TransportSupport().TCPIP = true;
    source.SalesLimitations().setMaxNumberOfRowsPerSale(7);
    source.SalesLimitations().numberOfSignificantDigits().rowQuantity = 3;
    source.LowLevel().setProtocolType(TPacketFormat::protocol_Type2);
    source.LowLevel().setErrorCheckType(TErrorChecking::ccService);
    source.LowLevel().set_sBytesDescription(2, 0, "paper");
    source.i90().setSpecialParam("*");
    source.pcrs().Add().setName("first");
    source.cmds().Add().setValue(90);

    TDeviceDependent target;
    target.Assign(source);
    EXPECT_EQ(target.Country(), Bulgaria);
    EXPECT_EQ(target.CodePage(), 1251u);
    EXPECT_EQ(target.CustomCodePageCode(), 26);
    EXPECT_EQ(target.DeviceType(), TFiscalDeviceType::ElectronicCashRegister);
    EXPECT_TRUE(target.TransportSupport().TCPIP);
    EXPECT_EQ(target.SalesLimitations().maxNumberOfRowsPerSale(), 7);
    EXPECT_EQ(target.SalesLimitations().numberOfSignificantDigits().rowQuantity, 3);
    EXPECT_EQ(target.LowLevel().ProtocolType(), TPacketFormat::protocol_Type2);
    EXPECT_EQ(target.LowLevel().statusBytes().ByteCountInUse(), 8);
    EXPECT_EQ(target.LowLevel().errorCheckType(), TErrorChecking::ccService);
    EXPECT_EQ(target.LowLevel().get_sBytesDescription(2, 0), "paper");
    EXPECT_EQ(target.i90().specialParam(), "*");
    ASSERT_EQ(target.pcrs().Count(), 1);
    ASSERT_EQ(target.cmds().Count(), 1);
    EXPECT_EQ(target.cmds().GetItem(0).HumanName(), "command90Variant0Version0");

    // Each description keeps its own objects: later edits of the source stay there.
    EXPECT_NE(target.LowLevel().statusBytesRef(), source.LowLevel().statusBytesRef());
    source.LowLevel().set_sBytesDescription(2, 0, "changed");
    source.pcrs().GetItem(0).setName("changed");
    EXPECT_EQ(target.LowLevel().get_sBytesDescription(2, 0), "paper");
    EXPECT_EQ(target.pcrs().GetItem(0).Name(), "first");
}

}  // namespace
}  // namespace tessel
