#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/device_rig.h"

namespace tessel {
namespace {

using test::DeviceRig;
using test::ScriptedRegister;
using Kind = ScriptedRegister::Reply::Kind;

TEST(CustomCommand, FirstCommandPutsTheStatusRequestOnTheWireFirst) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    ASSERT_TRUE(rig.command(107, "R\t1\t"));
    ASSERT_TRUE(rig.command(107, "R\t2\t"));

    const auto requests = rig.reg.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].command, 74);
    EXPECT_EQ(requests[0].seq, 0x20);
    EXPECT_TRUE(requests[0].data.empty());
    EXPECT_EQ(requests[1].command, 107);
    EXPECT_EQ(requests[1].seq, 0x21);
    EXPECT_EQ(requests[1].data, (Bytes{'R', '\t', '1', '\t'}));
    EXPECT_EQ(requests[2].seq, 0x22);
    EXPECT_FALSE(rig.fd.firstCommand());
}

TEST(CustomCommand, AFailedStatusRequestBlocksTheCommandUntilItSucceeds) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.reg.setScript([](const ScriptedRegister::Request& r) {
        return r.command == 74 ? ScriptedRegister::of(Kind::Nak) : ScriptedRegister::answer("0");
    });
    std::vector<std::uint8_t> waits;
    rig.fd.OnWait = [&](TFiscalDevice& sender, std::uint8_t message) {
        EXPECT_EQ(&sender, &rig.fd);
        waits.push_back(message);
    };
    EXPECT_FALSE(rig.command(107, "R\t1\t"));
    EXPECT_EQ(waits, std::vector<std::uint8_t>{0x15});
    EXPECT_TRUE(rig.fd.firstCommand());
    EXPECT_EQ(rig.reg.commands(), (std::vector<std::uint16_t>{74}));

    rig.reg.setScript(
        [](const ScriptedRegister::Request&) { return ScriptedRegister::answer("0"); });
    EXPECT_TRUE(rig.command(107, "R\t1\t"));
    EXPECT_EQ(rig.reg.commands(), (std::vector<std::uint16_t>{74, 74, 107}));
}

TEST(CustomCommand, FieldZeroOfTheAnswerIsTheRegistersCode) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.fd.delimitersList = {"\t"};
    struct Case {
        const char* answer;
        std::int32_t code;
        std::size_t fields;
    } cases[] = {
        {"0\t12\tabc", 0, 3},
        {"-106000\t", -106000, 1},
        {"abc\t1\t", -10521, 2},
        {"", -10524, 0},
    };
    for (const Case& c : cases) {
        rig.reg.setScript(
            [&](const ScriptedRegister::Request&) { return ScriptedRegister::answer(c.answer); });
        SCOPED_TRACE(c.answer);
        EXPECT_TRUE(rig.command(140, "R\t1\t"));
        EXPECT_EQ(rig.code(), c.code);
        EXPECT_EQ(rig.fd.answerFieldsList.size(), c.fields);
        EXPECT_EQ(rig.output, c.answer);
    }
}

TEST(CustomCommand, AClosedTransportSendsNothingAndEndsWithMissingOutput) {
    DeviceRig rig;
    rig.fd.setFirstCommand(false);
    EXPECT_FALSE(rig.command(107, "R\t1\t"));
    EXPECT_EQ(rig.code(), -10524);
    EXPECT_TRUE(rig.reg.requests().empty());
}

TEST(CustomCommand, ATimeOutKeepsTheFieldsOfThePreviousCommand) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.fd.TCPIP().setExitByTimeValue(100);
    rig.fd.delimitersList = {"\t"};
    rig.reg.setScript([](const ScriptedRegister::Request& r) {
        return r.command == 62 ? ScriptedRegister::of(Kind::Silent)
                               : ScriptedRegister::answer("0\tA\tB");
    });
    ASSERT_TRUE(rig.command(107, "R\t1\t"));
    EXPECT_FALSE(rig.command(62));
    EXPECT_EQ(rig.code(), -6);
    EXPECT_EQ(rig.fd.answerFieldsList, (StringList{"0", "A", "B"}));
}

TEST(CustomCommand, IdentificationWithoutTabIsSplitAtBlanksAndCommasToo) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.fd.delimitersList = {"\t"};
    rig.reg.setScript([](const ScriptedRegister::Request& r) {
        return ScriptedRegister::answer(r.data.empty() ? "TK-81R,1.0 12Dec2026" : "7\tX");
    });
    EXPECT_TRUE(rig.command(90, "#\t"));
    EXPECT_EQ(rig.code(), 7);
    EXPECT_EQ(rig.fd.answerFieldsList, (StringList{"7", "X"}));

    EXPECT_TRUE(rig.command(90));
    EXPECT_EQ(rig.code(), 0);  // the first field is a name, not a code
    EXPECT_EQ(rig.fd.answerFieldsList, (StringList{"TK-81R", "1.0", "12Dec2026"}));
    EXPECT_EQ(rig.fd.delimitersList, StringList{"\t"});

    // A delimiter the caller had put in stays after the command.
    rig.fd.delimitersList = {"\t", ","};
    EXPECT_TRUE(rig.command(90));
    EXPECT_EQ(rig.fd.delimitersList, (StringList{"\t", ","}));
}

TEST(CustomCommand, OnlySerialAndTcpCarryCommands) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.fd.setCommunicationType(TCommunicationType::ct_Bluetooth);
    EXPECT_EQ(rig.fd.CommunicationType(), TCommunicationType::ct_Unknown);
    EXPECT_FALSE(rig.command(107, "R\t1\t"));
    EXPECT_TRUE(rig.reg.requests().empty());
}

TEST(CustomCommand, CustomMappingSixteenCarriesGeorgianAsCyrillic) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.fd.setFirstCommand(false);
    rig.fd.dd().setCodePage(1251);
    rig.fd.dd().setCustomCodePage(true);
    rig.fd.dd().setCustomCodePageCode(16);
    rig.reg.setScript(
        [](const ScriptedRegister::Request&) { return ScriptedRegister::answerBytes({0xB8}); });
    EXPECT_TRUE(rig.command(58, "\u10D0[\\t]"));
    // U+10D0 travels as the 1251 byte of U+0430; the bracketed TAB name is prepared.
    EXPECT_EQ(rig.reg.requests().at(0).data, (Bytes{0xE0, '\t'}));
    EXPECT_EQ(rig.output, "\u10F0");  // 0xB8 is U+0451 in 1251

    rig.fd.dd().setCustomCodePage(false);
    EXPECT_TRUE(rig.command(58, "\u0430[\\t]"));
    EXPECT_EQ(rig.reg.requests().at(1).data, (Bytes{0xE0, '[', '\\', 't', ']'}));
    EXPECT_EQ(rig.output, "\u0451");
}

TEST(CustomCommand, Windows1251FormDecodesTheAnswerWithEitherProtocol) {
    for (TPacketFormat format : {TPacketFormat::protocol_Type2, TPacketFormat::protocol_Type1}) {
        DeviceRig rig(format);
        ASSERT_TRUE(rig.open());
        rig.fd.dd().setCodePage(1252);
        rig.reg.setScript([](const ScriptedRegister::Request&) {
            return ScriptedRegister::answerBytes({'0', '\t', 0xC0, 0xE0});
        });
        EXPECT_TRUE(rig.fd.customCommand_cp1251(107, "\u0416\t", rig.output));
        EXPECT_EQ(rig.reg.requests().back().data, (Bytes{0xC6, '\t'}));
        EXPECT_EQ(rig.output, "0\t\u0410\u0430");
    }
}

TEST(CustomCommand, CommandsFromTwoThreadsNeverInterleaveOnTheWire) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.reg.setScript([](const ScriptedRegister::Request& r) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return ScriptedRegister::answer("0\t" + std::to_string(r.command));
    });
    constexpr int kPerThread = 25;
    auto worker = [&rig](std::uint16_t command, int& matched) {
        for (int i = 0; i < kPerThread; ++i) {
            std::string output;
            if (rig.fd.customCommand(command, "x\t", output) &&
                output == "0\t" + std::to_string(command)) {
                ++matched;
            }
        }
    };
    int matchedA = 0;
    int matchedB = 0;
    std::thread a(worker, 101, std::ref(matchedA));
    std::thread b(worker, 140, std::ref(matchedB));
    a.join();
    b.join();
    EXPECT_EQ(matchedA, kPerThread);
    EXPECT_EQ(matchedB, kPerThread);
    EXPECT_EQ(rig.reg.strayBytes(), 0u);
    const auto requests = rig.reg.requests();
    ASSERT_EQ(requests.size(), 2u * kPerThread + 1);
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].seq, 0x20 + i) << i;
    }
}

TEST(FiscalDevice, EventsComeFromTheComponentWhileTheSnifferIsActive) {
    DeviceRig rig;
    ASSERT_TRUE(rig.open());
    rig.fd.setFirstCommand(false);
    std::vector<std::string> seen;
    auto record = [&](const char* name) {
        return [&seen, &rig, name](TFiscalDevice& sender, bool success, std::int64_t,
                                   const std::string&, const std::string&, const std::string&,
                                   const std::string&, const std::string&, const std::string&,
                                   const std::string& command) {
            EXPECT_EQ(&sender, &rig.fd);
            seen.push_back(std::string(name) + (success ? "+" : "-") + command);
        };
    };
    rig.fd.OnSendCommand = record("send");
    rig.fd.OnReceiveAnswer = record("receive");
    rig.fd.OnStatusChange = [&](TFiscalDevice& sender) {
        EXPECT_EQ(&sender, &rig.fd);
        seen.push_back("status");
    };
    ASSERT_TRUE(rig.command(107, "R\t1\t"));
    EXPECT_EQ(seen, std::vector<std::string>{"status"});

    rig.fd.TCPIP().Sniffer()->setActive(true);
    seen.clear();
    ASSERT_TRUE(rig.command(107, "R\t1\t"));
    EXPECT_EQ(seen, (std::vector<std::string>{"send+107", "status", "receive+107"}));
}

TEST(FiscalDevice, SettersKeepOnlyKnownValues) {
    TFiscalDevice fd;
    EXPECT_EQ(fd.VersionS(), "1.0.0.0");
    EXPECT_EQ(fd.VersionI(), 1);
    EXPECT_EQ(fd.repeatCount(), 2);
    EXPECT_TRUE(fd.firstCommand());
    EXPECT_FALSE(fd.ocoecModeOn());
    EXPECT_EQ(fd.CommunicationType(), TCommunicationType::ct_RS232);
    fd.setErrorStyle(TErrorStyle::pfStyle);
    fd.setErrorStyle(static_cast<TErrorStyle>(7));
    EXPECT_EQ(fd.ErrorStyle(), TErrorStyle::pfStyle);
    fd.setCommunicationType(TCommunicationType::ct_TCPIP);
    EXPECT_EQ(fd.CommunicationType(), TCommunicationType::ct_TCPIP);
    fd.setCommunicationType(TCommunicationType::ct_Linea_RS);
    EXPECT_EQ(fd.CommunicationType(), TCommunicationType::ct_Unknown);
}

TEST(FiscalDevice, WithoutItsSiblingsEveryOperationFails) {
    DeviceRig rig;
    rig.fd.setErrContainer(nullptr);
    EXPECT_FALSE(rig.command(74));
    ASSERT_FALSE(rig.presenter.requests().empty());
    EXPECT_EQ(rig.presenter.requests().back().text,
              "Error container component not assigned. Please assign this component!");
    EXPECT_EQ(rig.fd.check_Components(), -33017);
    EXPECT_FALSE(rig.fd.add_DefaultDelimiters());
    EXPECT_EQ(rig.fd.text_Output(), "");

    rig.fd.setErrContainer(&rig.err);
    rig.fd.setMisc(nullptr);
    EXPECT_FALSE(rig.command(74));
    EXPECT_EQ(rig.code(), -33016);
    EXPECT_EQ(rig.fd.find("x"), nullptr);
    EXPECT_EQ(rig.code(), -33016);
    EXPECT_TRUE(rig.reg.requests().empty());
}

TEST(FiscalDevice, DefaultDelimiterFollowsTheProtocol) {
    DeviceRig rig;
    ASSERT_TRUE(rig.fd.add_DefaultDelimiters());
    ASSERT_TRUE(rig.fd.add_DefaultDelimiters());
    EXPECT_EQ(rig.fd.delimitersList, StringList{"\t"});
    rig.fd.dd().LowLevel().setProtocolType(TPacketFormat::protocol_Type1);
    ASSERT_TRUE(rig.fd.add_DefaultDelimiters());
    EXPECT_EQ(rig.fd.delimitersList, (StringList{"\t", ","}));
}

TEST(FiscalDevice, PacketFormatResetsTheStatusTable) {
    DeviceRig rig;
    TLowLevel& lowLevel = rig.fd.dd().LowLevel();
    lowLevel.setDescriptionsFolder("somewhere");
    lowLevel.set_sBytesBitInUse(2, 0, false);
    ASSERT_TRUE(rig.fd.set_PacketFormat(TPacketFormat::protocol_Type1));
    EXPECT_EQ(lowLevel.statusBytes().ByteCountInUse(), 6);
    EXPECT_EQ(lowLevel.descriptionsFolder(), "");
    EXPECT_TRUE(lowLevel.get_sBytesBitInUse(2, 0));
}

TEST(FiscalDevice, LookupsAnswerNotFoundWithTheirCodes) {
    DeviceRig rig;
    TCommandsItem& item = rig.fd.dd().cmds().Add();
    item.setValue(255);
    item.setHumanName2("readParam");
    EXPECT_EQ(rig.fd.find("readParam"), &item);
    EXPECT_EQ(rig.fd.findBy_HumanName_2("readParam"), &item);
    EXPECT_EQ(rig.fd.find(255, 0, 0), &item);

    EXPECT_EQ(rig.fd.findBy_HumanName_1("readParam"), nullptr);
    EXPECT_EQ(rig.code(), -10526);
    EXPECT_EQ(rig.fd.find(255, 1, 0), nullptr);
    EXPECT_EQ(rig.code(), -10527);
    EXPECT_FALSE(rig.fd.findAndExecute("absent"));
    EXPECT_EQ(rig.code(), -10526);
    EXPECT_FALSE(rig.fd.findAndExecute(90, 0, 0));
    EXPECT_EQ(rig.code(), -10527);
}

}  // namespace
}  // namespace tessel
