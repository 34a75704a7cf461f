#include <gtest/gtest.h>

#include <memory>

#include "device/fiscal_device.h"
#include "device/models/srb_tk_81r.h"
#include "link/status_model_table.h"

namespace tessel {
namespace {

TEST(ModelTK81R, LinkingConfiguresTheComponentForTheModel) {
    TFiscalDevice fd;
    fd.setCommunicationType(TCommunicationType::ct_TCPIP);
    fd.dd().setCountry(TSCountries::Georgia);
    fd.dd().LowLevel().set_sBytesCheckingForAll(0, 6, true);
    fd.add_PCR("1", "stale", TMorvik_ItIsType::st_Constant, TMayUseAfter::mua_Always,
               TRWType::rwt_ReadOnly, TPacValueType::pvt_String, "", -1, -1, "1");

    TSRB_TK_81R model;
    model.setFCore(&fd);
    EXPECT_EQ(model.fCore(), &fd);
    EXPECT_EQ(fd.ModelName(), "TK-81R");
    EXPECT_EQ(fd.CommunicationType(), TCommunicationType::ct_RS232);
    EXPECT_EQ(fd.ErrorStyle(), TErrorStyle::errorCode);
    const TDeviceDependent& dd = fd.dd();
    EXPECT_EQ(dd.Country(), TSCountries::Serbia);
    EXPECT_EQ(dd.CodePage(), 1251u);
    EXPECT_FALSE(dd.CustomCodePage());
    EXPECT_EQ(dd.CustomCodePageCode(), 26);
    EXPECT_EQ(dd.DeviceType(), TFiscalDeviceType::ElectronicCashRegister);
    EXPECT_EQ(dd.LowLevel().ProtocolType(), TPacketFormat::protocol_Type2);
    EXPECT_EQ(dd.LowLevel().statusBytes().ByteCountInUse(), 8);
    EXPECT_EQ(dd.LowLevel().errorCheckType(), TErrorChecking::ccEndUser);

    // Status bits: the Romanian texts, no error flags, nothing in use.
    EXPECT_EQ(dd.LowLevel().get_sBytesDescription(2, 0), "# Sfarsit hartie.");
    EXPECT_EQ(dd.LowLevel().get_sBytesDescription(7, 7), get_StatusBitText(7, 7, 1));
    EXPECT_FALSE(dd.LowLevel().get_sBytesCheckingFor(0, 6, TErrorChecking::ccEndUser));
    EXPECT_FALSE(dd.LowLevel().get_sBytesBitInUse(2, 0));
    EXPECT_EQ(dd.LowLevel().statusBytes().Byte_2().Bit_0().TextDescription(), "Status bit[2,0]");

    const TPCR& pcrs = dd.pcrs();
    ASSERT_EQ(pcrs.Count(), 132);
    EXPECT_EQ(pcrs.GetItem(0).Name(), "last_ErrorCode");
    EXPECT_EQ(pcrs.GetItem(0).CodeInt(), 10001);
    EXPECT_EQ(pcrs.GetItem(131).Name(), "logValue_FileName");
    EXPECT_EQ(pcrs.GetItem(131).CodeTxt(), "000092003");
    EXPECT_EQ(pcrs.GetItem(131).CodeInt(), 92003);
    EXPECT_EQ(pcrs.findByName("rs232_ComPort_FiscalDevice")->Index() + 9,
              pcrs.findByName("communication_Type")->Index());
    EXPECT_EQ(pcrs.findByCode(21003)->Name(), "eSBit_Command_SyntaxError");
    EXPECT_EQ(pcrs.findByName("nre_Service_EIK")->CodeTxt(), "000073805");
    EXPECT_EQ(pcrs.findByCode(51015), nullptr);
    for (int i = 0; i < pcrs.Count(); ++i) {
        const TPCRItem& item = pcrs.GetItem(i);
        EXPECT_EQ(item.CodeTxt().size(), 9u) << i;
        EXPECT_EQ(item.ItIs(), TMorvik_ItIsType::st_Constant);
        EXPECT_EQ(item.MayUseAfter(), TMayUseAfter::mua_OpenClaimEnable);
        EXPECT_EQ(item.rwType(), TRWType::rwt_ReadOnly);
        EXPECT_EQ(item.Version(), "1.0.0");
        EXPECT_EQ(item.Value(), "");
    }
}

TEST(ModelTK81R, ByteErrorsAreSetOnlyOnRequest) {
    TFiscalDevice fd;
    TSRB_TK_81R model;
    model.setFCore(&fd);
    model.set_sByteErrors(0);
    EXPECT_TRUE(fd.dd().LowLevel().get_sBytesCheckingFor(0, 6, TErrorChecking::ccEndUser));
    EXPECT_FALSE(fd.dd().LowLevel().get_sBytesCheckingFor(0, 6, TErrorChecking::ccProduction));
}

TEST(ModelTK81R, DestroyingTheComponentUnlinksTheModel) {
    auto fd = std::make_unique<TFiscalDevice>();
    TSRB_TK_81R model;
    model.setFCore(fd.get());
    fd->dd().cmds().Add();
    fd.reset();
    EXPECT_EQ(model.fCore(), nullptr);
    EXPECT_FALSE(model.init_fCore());
    model.add_PCRs();
    model.set_sByteErrors(0);
    model.clear_PCRs();
}

TEST(ModelTK81R, DestroyingTheModelFirstLeavesTheComponentAlone) {
    TFiscalDevice fd;
    {
        TSRB_TK_81R model;
        model.setFCore(&fd);
    }
    EXPECT_EQ(fd.dd().pcrs().Count(), 132);
}

}  // namespace
}  // namespace tessel
