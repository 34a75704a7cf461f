#include <gtest/gtest.h>

#include "support/device_rig.h"

namespace tessel {
namespace {

using test::DeviceRig;
using test::ScriptedRegister;

std::string text(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// Answers both identification reads of protocol_Type2; the first with the
// given number of fields.
ScriptedRegister::Script type2Identification(int firstReadFields) {
    return [firstReadFields](const ScriptedRegister::Request& r) {
        if (r.command != 90) return ScriptedRegister::answer("0");
        if (text(r.data) == "\t") {
            return ScriptedRegister::answer(
                "0\tTK-81R\t1.02\t01.12.26\t10:00\tABCD\t1111\tSR1\tFM9");
        }
        const char* values[] = {"0",   "1",   "RS", "TK-81R", "DD", "OMV",
                                "OBV", "IBV", "SN", "HV",     "BLV"};
        std::string answer;
        for (int i = 0; i < firstReadFields; ++i) answer += std::string(values[i]) + "\t";
        return ScriptedRegister::answer(answer);
    };
}

TEST(Identification, Type2ReadsBothPartsIntoTheRecord) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.reg.setScript(type2Identification(11));
    rig.fd.delimitersList = {";", "x"};
    TI90& i90 = rig.fd.dd().i90();
    ASSERT_TRUE(i90.getFromDevice());

    const auto requests = rig.reg.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(text(requests[1].data), "#\t");
    EXPECT_EQ(text(requests[2].data), "\t");
    EXPECT_EQ(i90.shDTP(), "1");
    EXPECT_EQ(i90.shCCC(), "RS");
    EXPECT_EQ(i90.shNNNNNN(), "TK-81R");
    EXPECT_EQ(i90.shDD(), "DD");
    EXPECT_EQ(i90.shOMV(), "OMV");
    EXPECT_EQ(i90.shOBV(), "OBV");
    EXPECT_EQ(i90.shIBV(), "IBV");
    EXPECT_EQ(i90.shSN(), "SN");
    EXPECT_EQ(i90.shHV(), "HV");
    EXPECT_EQ(i90.shBLV(), "BLV");
    EXPECT_EQ(i90.DeviceName(), "TK-81R");
    EXPECT_EQ(i90.FirmwareRevision(), "1.02");
    EXPECT_EQ(i90.FirmwareDate(), "01.12.26");
    EXPECT_EQ(i90.FirmwareTime(), "10:00");
    EXPECT_EQ(i90.CheckSum(), "ABCD");
    EXPECT_EQ(i90.SoftwareSwitches(), "1111");
    EXPECT_EQ(i90.SerialNumber(), "SR1");
    EXPECT_EQ(i90.FiscalMemoryNumber(), "FM9");
    EXPECT_EQ(rig.fd.delimitersList, StringList{"\t"});
}

TEST(Identification, Type2FirstReadShortOfElevenFieldsStopsThere) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.reg.setScript(type2Identification(10));
    TI90& i90 = rig.fd.dd().i90();
    i90.set_FiscalMemoryNumber("old");
    EXPECT_FALSE(i90.getFromDevice());
    EXPECT_EQ(rig.reg.commands(), (std::vector<std::uint16_t>{74, 90}));
    EXPECT_EQ(i90.shDTP(), "1");
    EXPECT_EQ(i90.shHV(), "HV");
    EXPECT_EQ(i90.shBLV(), "");
    EXPECT_EQ(i90.FiscalMemoryNumber(), "");
    EXPECT_EQ(rig.fd.delimitersList, StringList{"\t"});
}

TEST(Identification, Type1CutsTheSecondAnswerFromTheLeft) {
    struct Case {
        const char* secondAnswer;
        std::vector<std::string> expected;  // DeviceName .. FiscalMemoryNumber
    } cases[] = {
        {"TK,1.02 01.12.26 10:00,ABCD,1111,SR1,FM9",
         {"TK", "1.02", "01.12.26", "10:00", "ABCD", "1111", "SR1", "FM9"}},
        {"TK 81 R", {"TK 81 R", "", "", "", "", "", "", ""}},
        {"TK,1.02", {"TK", "1.02", "", "", "", "", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.secondAnswer);
        DeviceRig rig(TPacketFormat::protocol_Type1);
        ASSERT_TRUE(rig.open());
        rig.reg.setScript([&c](const ScriptedRegister::Request& r) {
            if (r.command != 90) return ScriptedRegister::answer("");
            return ScriptedRegister::answer(text(r.data) == "#" ? "1,RS,TK-81R,DD,5,6,7,8,9,10"
                                                                : c.secondAnswer);
        });
        TI90& i90 = rig.fd.dd().i90();
        ASSERT_TRUE(i90.getFromDevice());
        EXPECT_EQ(i90.shDTP(), "1");
        EXPECT_EQ(i90.shNNNNNN(), "TK-81R");
        EXPECT_EQ(i90.shBLV(), "10");
        const std::vector<std::string> actual = {
            i90.DeviceName(), i90.FirmwareRevision(), i90.FirmwareDate(), i90.FirmwareTime(),
            i90.CheckSum(),   i90.SoftwareSwitches(), i90.SerialNumber(), i90.FiscalMemoryNumber()};
        EXPECT_EQ(actual, c.expected);
        EXPECT_EQ(text(rig.reg.requests().back().data), "");
        EXPECT_EQ(rig.fd.delimitersList, StringList{","});
    }
}

TEST(Identification, WithoutAnOwnerNothingIsRead) {
    TI90 i90;
    EXPECT_FALSE(i90.getFromDevice());
}

TEST(Identification, OpeningOverTcpReadsItWhenAsked) {
    DeviceRig rig;
    rig.reg.setScript(type2Identification(11));
    rig.fd.dd().i90().setGetAfterConnect(true);
    ASSERT_TRUE(rig.open());
    EXPECT_EQ(rig.reg.commands(), (std::vector<std::uint16_t>{74, 90, 90}));
    EXPECT_EQ(rig.fd.dd().i90().shNNNNNN(), "TK-81R");
    rig.fd.TCPIP().closeConnection();

    rig.reg.setScript(type2Identification(3));
    rig.err.setRaiseMode(false);
    EXPECT_EQ(rig.fd.TCPIP().openConnection(), -3);

    rig.fd.dd().i90().setGetAfterConnect(false);
    rig.fd.TCPIP().closeConnection();
    const std::size_t before = rig.reg.requests().size();
    ASSERT_TRUE(rig.open());
    EXPECT_EQ(rig.reg.requests().size(), before);
}

TEST(Identification, OpeningTheSerialLineReadsItWhenAsked) {
    DeviceRig rig(TPacketFormat::protocol_Type2, ScriptedRegister::Line::Serial);
    rig.reg.setScript(type2Identification(11));
    rig.fd.dd().i90().setGetAfterConnect(true);
    ASSERT_TRUE(rig.open());
    EXPECT_EQ(rig.reg.commands(), (std::vector<std::uint16_t>{74, 90, 90}));
    EXPECT_EQ(rig.fd.dd().i90().FiscalMemoryNumber(), "FM9");
    EXPECT_TRUE(rig.command(107, "R\t1\t"));
}

// With open-and-close per command, every opening inside a command reads the
// identification, which sends its own commands on the same thread.
TEST(Identification, ACommandThatOpensTheTransportReadsItFirst) {
    DeviceRig rig;
    rig.reg.setScript(type2Identification(11));
    rig.fd.setOcoecModeOn(true);
    rig.fd.dd().i90().setGetAfterConnect(true);
    EXPECT_TRUE(rig.command(107, "R\t1\t"));
    EXPECT_EQ(rig.reg.commands(), (std::vector<std::uint16_t>{74, 90, 90, 74, 90, 90, 107}));
    EXPECT_EQ(rig.fd.dd().i90().SerialNumber(), "SR1");
    EXPECT_TRUE(rig.fd.ocoecModeOn());
    EXPECT_FALSE(rig.fd.TCPIP().Active());
}

}  // namespace
}  // namespace tessel
