#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/exchange_fixture.h"

namespace tessel {
namespace {

// The register's reference answer to command 74 with SEQ 0x20.
const Bytes kAnswer74{0x01, 0x30, 0x30, 0x33, 0x35, 0x20, 0x30, 0x30, 0x34,
                      0x3A, 0x30, 0x09, 0x04, 0x80, 0x80, 0x80, 0x80, 0x80,
                      0x80, 0x80, 0x80, 0x05, 0x30, 0x35, 0x3F, 0x38, 0x03};

struct Fired {
    bool success;
    std::int64_t id;
    std::string repeatIndex, header, data, footer, text, dateTime, command;
};

class SnifferExchangeTest : public ExchangeTest {
protected:
    SnifferExchangeTest() {
        sniffer.initSniffer();
        line.setSniffer(&sniffer);
        auto record = [](std::vector<Fired>& into) {
            return
                [&into](TPacketExchange&, bool success, std::int64_t id,
                        const std::string& repeatIndex, const std::string& header,
                        const std::string& data, const std::string& footer, const std::string& text,
                        const std::string& dateTime, const std::string& command) {
                    into.push_back(
                        {success, id, repeatIndex, header, data, footer, text, dateTime, command});
                };
        };
        exchange.OnSendCommand = record(sent);
        exchange.OnReceiveAnswer = record(received);
    }

    TSniffer sniffer;
    std::vector<Fired> sent;
    std::vector<Fired> received;
};

TEST_F(SnifferExchangeTest, InactiveSnifferIsLeftAloneAndEventsStayQuiet) {
    answerEveryRequest();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(run(74));
    EXPECT_EQ(sniffer.snifferUIDRec.Value, -1);
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(sniffer.hexPacket.header.toDeviceValue.empty());
    EXPECT_EQ(sniffer.values.cRepeatIndex.toDeviceValue, "0");
}

TEST_F(SnifferExchangeTest, RetriedCommandReportsEachAttempt) {
    sniffer.setActive(true);
    Bytes second{frame::kSyn, frame::kSyn};
    second.insert(second.end(), kAnswer74.begin(), kAnswer74.end());
    line.reply(Bytes{frame::kNak}).reply(second);
    ASSERT_TRUE(run(74));

    ASSERT_EQ(sent.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(sent[i].success);
        EXPECT_EQ(sent[i].id, 0);  // one count per command, not per attempt
        EXPECT_EQ(sent[i].repeatIndex, std::to_string(i + 1));
        EXPECT_EQ(sent[i].header, "01 30 30 32 3A 20 30 30 34 3A ");
        EXPECT_EQ(sent[i].data, "");
        EXPECT_EQ(sent[i].footer, "05 30 31 3B 3F 03 ");
        EXPECT_EQ(sent[i].command, "74");
        EXPECT_EQ(sent[i].dateTime.size(), std::string("dd.mm.yyyy hh:mm:ss:zzz").size());
    }

    ASSERT_EQ(received.size(), 2u);
    EXPECT_FALSE(received[0].success);
    EXPECT_EQ(received[0].repeatIndex, "1");
    EXPECT_EQ(received[0].header, "");  // the NAK is not part of a header
    EXPECT_TRUE(received[1].success);
    EXPECT_EQ(received[1].repeatIndex, "2");
    EXPECT_EQ(received[1].header, "01 30 30 33 35 20 30 30 34 3A ");
    EXPECT_EQ(received[1].data, "30 09 ");
    EXPECT_EQ(received[1].footer, "04 80 80 80 80 80 80 80 80 05 30 35 3F 38 03 ");
    EXPECT_EQ(received[1].text, "0\t");
    EXPECT_EQ(received[1].command, "74");
    // The transport's own record of the last attempt's bytes, SYN included.
    EXPECT_EQ(sniffer.values.cHEX.toDeviceValue.size(), 16u * 3);
    EXPECT_EQ(sniffer.values.cHEX.fromDeviceValue.substr(0, 9), "16 16 01 ");

    answerEveryRequest();
    ASSERT_TRUE(run(300));
    EXPECT_EQ(sent.back().id, 1);
    EXPECT_EQ(sent.back().command, "44");  // the low byte of 300
}

TEST_F(SnifferExchangeTest, TextViewsFollowTheVariant) {
    sniffer.setActive(true);
    const Bytes cyrillic{0xC0, 0xE1};  // "Аб" in code page 1251
    line.reply(answer(0x20, 90, cyrillic));
    ASSERT_TRUE(run(90, Bytes{'#', '\t'}, TTextVariant::tv_cp1251));
    EXPECT_EQ(sent.at(0).text, "#\t");
    EXPECT_EQ(sent.at(0).data, "23 09 ");
    EXPECT_EQ(received.at(0).text, "\u0410\u0431");
}

TEST_F(SnifferExchangeTest, FailedReadTakesTheErrorColourUntilTheNextSuccess) {
    sniffer.setActive(true);
    const TSnifferColor error = sniffer.hexPacket.errorColor;
    exchange.setRepeatCount(1);
    line.silence();
    ASSERT_FALSE(run(74));
    EXPECT_EQ(sniffer.values.cHEX.cColor, error);
    EXPECT_EQ(sniffer.values.cText.cColor, error);
    EXPECT_EQ(sniffer.hexPacket.data.color, error);

    answerEveryRequest();
    ASSERT_TRUE(run(74));
    EXPECT_EQ(sniffer.values.cHEX.cColor, sniffer.myColors.values_cHEXColor);
    EXPECT_EQ(sniffer.hexPacket.data.color, sniffer.myColors.hexPacket_DataColor);
}

TEST_F(SnifferExchangeTest, AnswerHeadersOnlyWithTheirSwitch) {
    sniffer.setActive(true);
    sniffer.setCalc_Header_ToDevice(true);
    sniffer.setCalc_FullRows(true);
    answerEveryRequest();
    ASSERT_TRUE(run(74));
    EXPECT_EQ(sniffer.toDevice_HumanHexHeader().substr(0, 22), "[0][Repeat count = 1][");
    EXPECT_EQ(sniffer.fromDevice_HumanHexHeader(), "");
    EXPECT_FALSE(sniffer.full.hex_ToDeviceRow.empty());
}

TEST_F(SnifferExchangeTest, RetriedRequestLogsTwoPairsOfRows) {
    const auto folder = std::filesystem::path(testing::TempDir()) / "exchange_sniffer_log";
    std::filesystem::remove_all(folder);
    sniffer.setActive(true);
    sniffer.setLogFolder(folder.string());
    sniffer.setLogFileName("trace");
    sniffer.setSaveToFile_isOn(true);
    ASSERT_TRUE(sniffer.saveToFile_isOn());
    line.reply(Bytes{frame::kNak}).reply(kAnswer74);
    ASSERT_TRUE(run(74));

    std::ifstream log(folder / "trace.txt");
    std::vector<std::string> lines;
    for (std::string l; std::getline(log, l);) lines.push_back(l);
    // Per attempt: request text and hex rows, then answer text and hex rows.
    ASSERT_EQ(lines.size(), 8u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const char* attempt = i < 4 ? "[Repeat count = 1]" : "[Repeat count = 2]";
        EXPECT_NE(lines[i].find(attempt), std::string::npos);
        EXPECT_NE(lines[i].find(i % 4 < 2 ? "[Type = Request]" : "[Type = Answer ]"),
                  std::string::npos);
    }
    EXPECT_NE(lines[7].find("[hex ]01 30 30 33 35 "), std::string::npos);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tessel
