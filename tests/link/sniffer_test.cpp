#include "link/sniffer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/tcp_connector.h"
#include "support/frame_responder.h"
#include "support/loopback_listener.h"
#include "support/scratch_folder.h"
#include "support/transport_rig.h"

namespace tessel {
namespace {

using test::readWholeFile;
using test::ScratchFolder;

TEST(SnifferModel, ConstructionLeavesEverythingOffAndEmpty) {
    TSniffer s;
    EXPECT_FALSE(s.Active());
    EXPECT_FALSE(s.saveToFile_isOn());
    EXPECT_FALSE(s.calc_Header_ToDevice());
    EXPECT_FALSE(s.calc_FullRows());
    EXPECT_EQ(s.fileFormat(), TSnifferFileFormats::snif_TXT);
    EXPECT_EQ(s.settingsFileName(), "");
    EXPECT_EQ(s.snifferUIDRec.Value, 0);
    EXPECT_FALSE(s.values.cType.addToHeader);
    EXPECT_EQ(s.hexPacket.errorColor, 0);

    // Without initSniffer no item is shown even with the header switch on.
    s.setCalc_Header_ToDevice(true);
    s.calculate_Headers(TDataDirection::toDevice);
    EXPECT_EQ(s.toDevice_HumanHexHeader(), "");
}

TEST(SnifferModel, InitSetsWorkingDefaults) {
    TSniffer s;
    s.initSniffer();
    EXPECT_EQ(s.snifferUIDRec.Value, -1);
    EXPECT_TRUE(s.snifferUIDRec.addToHeader);
    EXPECT_FALSE(s.snifferUIDRec.addDescriptionToHeader);
    EXPECT_EQ(s.values.cType.toDeviceValue, "Request");
    EXPECT_EQ(s.values.cType.fromDeviceValue, "Answer ");
    EXPECT_EQ(s.values.cHEX.headerDescription, "hex ");
    EXPECT_EQ(s.values.cHEX.cColor, 1572747);
    EXPECT_EQ(s.fileFormat(), TSnifferFileFormats::snif_INI);
    EXPECT_EQ(s.settingsFileName(), "SnifferSettings.ini");
    EXPECT_EQ(s.hexPacket.header.color, 16756834);
    EXPECT_EQ(s.hexPacket.errorColor, 987135);
    EXPECT_EQ(s.myColors.values_cHEXColor, 1572747);
    EXPECT_EQ(s.myColors.hexPacket_AnswerColor, 38144);
}

TEST(SnifferModel, AssignCopiesOnlyActive) {
    TSniffer source;
    source.initSniffer();
    source.setActive(true);
    TSniffer target;
    target.Assign(source);
    EXPECT_TRUE(target.Active());
    EXPECT_EQ(target.settingsFileName(), "");
    EXPECT_EQ(target.snifferUIDRec.Value, 0);
}

TEST(SnifferModel, ColoursComeBackFromTheSavedSet) {
    TSniffer s;
    s.initSniffer();
    s.values.cHEX.cColor = s.hexPacket.errorColor;  // what a failed send does
    s.values.cText.cColor = s.hexPacket.errorColor;
    s.hexPacket.data.color = s.hexPacket.errorColor;
    s.snifferUIDRec.cColor = 1;
    s.setColorsFromMyColors();
    EXPECT_EQ(s.values.cHEX.cColor, 1572747);
    EXPECT_EQ(s.values.cText.cColor, 38144);
    EXPECT_EQ(s.hexPacket.data.color, 38144);
    EXPECT_EQ(s.snifferUIDRec.cColor, 38144);
}

class SnifferHeaders : public ::testing::Test {
protected:
    void SetUp() override {
        s.initSniffer();
        s.snifferUIDRec.Value = 7;
        auto set = [](TSnifferValueRec& item, const char* value) {
            item.toDeviceValue = value;
            item.fromDeviceValue = value;
        };
        set(s.values.cRepeatIndex, "1");
        set(s.values.cCommand, "74");
        set(s.values.cDateTime, "11.12.2026 10:00:00:123");
        s.values.cHEX.toDeviceValue = "01 30 ";
        s.values.cHEX.fromDeviceValue = "01 31 ";
        s.values.cText.toDeviceValue = "R\t";
        s.values.cText.fromDeviceValue = "0\t";
    }
    TSniffer s;
};

TEST_F(SnifferHeaders, ComposedOnlyForTheSwitchedOnDirection) {
    s.setCalc_Header_ToDevice(true);
    s.setCalc_FullRows(true);
    s.calculate_Headers(TDataDirection::toDevice);
    s.calculate_Headers(TDataDirection::fromDevice);
    const std::string common =
        "[7][Repeat count = 1][Command = 74][Date time = 11.12.2026 10:00:00:123][Type = Request]";
    EXPECT_EQ(s.toDevice_HumanHexHeader(), common + "[hex ]");
    EXPECT_EQ(s.toDevice_HumanTextHeader(), common + "[text]");
    EXPECT_EQ(s.fromDevice_HumanHexHeader(), "");
    EXPECT_EQ(s.fromDevice_HumanTextHeader(), "");

    s.calculate_FullRows(TDataDirection::toDevice);
    s.calculate_FullRows(TDataDirection::fromDevice);
    EXPECT_EQ(s.full.hex_ToDeviceRow, common + "[hex ]01 30 ");
    EXPECT_EQ(s.full.text_ToDeviceRow, common + "[text]R\t");
    // The answer row is the bare value when its header is off.
    EXPECT_EQ(s.full.hex_FromDeviceRow, "01 31 ");
    EXPECT_EQ(s.full.text_FromDeviceRow, "0\t");
}

TEST_F(SnifferHeaders, ItemSwitchesShapeTheParts) {
    s.setCalc_Header_FromDevice(true);
    s.snifferUIDRec.addDescriptionToHeader = true;
    s.values.cRepeatIndex.addToHeader = false;
    s.values.cCommand.addDescriptionToHeader = false;
    s.values.cDateTime.addToHeader = false;
    s.values.cText.addToHeader = false;
    s.calculate_Headers(TDataDirection::fromDevice);
    EXPECT_EQ(s.fromDevice_HumanHexHeader(), "[UnicID = 7][74][Type = Answer ][hex ]");
    EXPECT_EQ(s.fromDevice_HumanTextHeader(), "[UnicID = 7][74][Type = Answer ]");

    // Switching the header off empties what was composed before.
    s.setCalc_Header_FromDevice(false);
    s.calculate_Headers(TDataDirection::fromDevice);
    EXPECT_EQ(s.fromDevice_HumanHexHeader(), "");
}

TEST_F(SnifferHeaders, FullRowsOffEmptiesTheRows) {
    s.full.hex_ToDeviceRow = "old";
    s.full.text_ToDeviceRow = "old";
    s.calculate_FullRows(TDataDirection::toDevice);
    EXPECT_EQ(s.full.hex_ToDeviceRow, "");
    EXPECT_EQ(s.full.text_ToDeviceRow, "");
}

TEST(SnifferSetters, LogFileNameRules) {
    const struct {
        const char* given;
        const char* expected;
    } cases[] = {
        {"trace", "trace.txt"},         {"trace.txt.bak", "trace.txt.bak"},
        {"  trace.txt  ", "trace.txt"}, {"   ", "connector_log.txt"},
        {"", "connector_log.txt"},      {" my log ", "my log.txt"},
    };
    TSniffer s;
    for (const auto& c : cases) {
        s.setLogFileName(c.given);
        EXPECT_EQ(s.logFileName(), c.expected) << "given \"" << c.given << "\"";
    }
}

TEST(SnifferSetters, FoldersAreCreatedOrDropped) {
    ScratchFolder scratch;
    TSniffer s;
    s.setLogFolder(scratch.path() + "a/b/c");
    EXPECT_EQ(s.logFolder(), scratch.path() + "a/b/c/");
    EXPECT_TRUE(std::filesystem::is_directory(scratch.path() + "a/b/c"));

    // A folder below a plain file can never exist: the setter keeps nothing.
    std::ofstream(scratch.path() + "plain") << "x";
    s.setLogFolder(scratch.path() + "plain/logs/");
    EXPECT_EQ(s.logFolder(), "");
    s.setLogFolder("   ");
    EXPECT_EQ(s.logFolder(), "");

    s.setSettingsFolder(scratch.path() + "settings");
    EXPECT_EQ(s.settingsFolder(), scratch.path() + "settings/");
    s.setSettingsFolder("  ");  // blank: no change
    EXPECT_EQ(s.settingsFolder(), scratch.path() + "settings/");
    s.setSettingsFolder(scratch.path() + "plain/x");
    EXPECT_EQ(s.settingsFolder(), "");
}

TEST(SnifferLog, SwitchingOnNeedsAnExistingFolder) {
    TSniffer s;
    s.initSniffer();
    s.setCalc_Header_FromDevice(false);
    s.setSaveToFile_isOn(true);  // no folder at all
    EXPECT_FALSE(s.saveToFile_isOn());
    EXPECT_FALSE(s.calc_Header_ToDevice());
    EXPECT_FALSE(s.calc_FullRows());

    ScratchFolder scratch;
    s.setLogFolder(scratch.path() + "gone");
    std::filesystem::remove(scratch.path() + "gone");
    s.setSaveToFile_isOn(true);
    EXPECT_FALSE(s.saveToFile_isOn());
    EXPECT_FALSE(s.calc_Header_FromDevice());

    s.setLogFolder(scratch.path());
    s.setSaveToFile_isOn(true);
    EXPECT_TRUE(s.saveToFile_isOn());
    EXPECT_TRUE(s.calc_Header_ToDevice());
    EXPECT_TRUE(s.calc_Header_FromDevice());
    EXPECT_TRUE(s.calc_FullRows());
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(SnifferLog, AppendsLinesOnlyWhileOn) {
    ScratchFolder scratch;
    TSniffer s;
    s.setLogFolder(scratch.path());
    s.setLogFileName("trace");
    const std::string file = scratch.path() + "trace.txt";

    s.logThis("before", false);
    EXPECT_FALSE(std::filesystem::exists(file));

    s.setSaveToFile_isOn(true);
    s.logThis("plain", false);
    s.logThis("stamped", true);
    const auto lines = linesOf(readWholeFile(file));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "plain");
    // dd.mm.yyyy hh:mm:ss:text
    EXPECT_EQ(lines[1].size(), std::string("dd.mm.yyyy hh:mm:ss:stamped").size());
    EXPECT_EQ(lines[1].substr(2, 1) + lines[1].substr(5, 1), "..");
    EXPECT_EQ(lines[1].substr(10, 1), " ");
    EXPECT_EQ(lines[1].substr(19), ":stamped");

    // The folder vanishing later loses the line quietly.
    std::filesystem::remove_all(scratch.path());
    s.logThis("lost", true);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(SnifferLog, DateTimeValueCarriesMilliseconds) {
    const std::string t = sniffer_DateTimeText();
    ASSERT_EQ(t.size(), std::string("dd.mm.yyyy hh:mm:ss:zzz").size());
    for (std::size_t i : {2u, 5u}) EXPECT_EQ(t[i], '.');
    for (std::size_t i : {13u, 16u, 19u}) EXPECT_EQ(t[i], ':');
}

class SnifferSettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        s.initSniffer();
        s.setSettingsFolder(scratch.path());
    }
    std::string file() const { return scratch.path() + "SnifferSettings.ini"; }
    ScratchFolder scratch;
    TSniffer s;
};

TEST_F(SnifferSettingsFile, WritesEveryKeyInOrder) {
    s.setLogFolder(scratch.path());
    s.setLogFileName("trace");
    ASSERT_TRUE(s.saveToFile());
    const std::string expected =
        "[HeaderSettings]\n"
        "unicID.addToHeader=1\nunicID.addDescriptionToHeader=0\n"
        "unicID.headerDescription=UnicID = \nunicID.cColor=38144\n"
        "cRepeatIndex.addToHeader=1\ncRepeatIndex.addDescriptionToHeader=1\n"
        "cRepeatIndex.headerDescription=Repeat count = \ncRepeatIndex.cColor=38144\n"
        "cCommand.addToHeader=1\ncCommand.addDescriptionToHeader=1\n"
        "cCommand.headerDescription=Command = \ncCommand.cColor=38144\n"
        "cDateTime.addToHeader=1\ncDateTime.addDescriptionToHeader=1\n"
        "cDateTime.headerDescription=Date time = \ncDateTime.cColor=38144\n"
        "cType.addToHeader=1\ncType.addDescriptionToHeader=1\n"
        "cType.headerDescription=Type = \ncType.fromDeviceValue=Answer \n"
        "cType.toDeviceValue=Request\ncType.cColor=38144\n"
        "cHEX.addToHeader=1\ncHEX.addDescriptionToHeader=1\n"
        "cHEX.headerDescription=hex \ncHEX.cColor=1572747\n"
        "cText.addToHeader=1\ncText.addDescriptionToHeader=1\n"
        "cText.headerDescription=text\ncText.cColor=38144\n"
        "hexPacket.header.color=16756834\nhexPacket.data.color=38144\n"
        "hexPacket.footer.color=16756834\nhexPacket.errorColor=987135\n"
        "hexPacket.reqwestColor=16756834\nhexPacket.answerColor=38144\n"
        "\n[DebugMode]\n"
        "saveToFileIsOn=0\nLogFileName=trace.txt\nLogFolder=" +
        scratch.path() + "\n";
    EXPECT_EQ(readWholeFile(file()), expected);
}

TEST_F(SnifferSettingsFile, RoundTripKeepsTrailingBlanksAndValues) {
    s.values.cCommand.headerDescription = "Cmd: ";
    s.values.cDateTime.addToHeader = false;
    s.hexPacket.errorColor = 255;
    s.values.cHEX.cColor = 42;
    ASSERT_TRUE(s.saveToFile());

    TSniffer loaded;
    loaded.initSniffer();
    loaded.setSettingsFolder(scratch.path());
    ASSERT_TRUE(loaded.loadFromFile());
    EXPECT_EQ(loaded.values.cType.fromDeviceValue, "Answer ");
    EXPECT_EQ(loaded.values.cHEX.headerDescription, "hex ");
    // Other trailing blanks are lost to the profile reader, as they always were.
    EXPECT_EQ(loaded.values.cCommand.headerDescription, "Cmd:");
    EXPECT_FALSE(loaded.values.cDateTime.addToHeader);
    EXPECT_EQ(loaded.hexPacket.errorColor, 255);
    EXPECT_EQ(loaded.values.cHEX.cColor, 42);
    EXPECT_EQ(loaded.myColors.values_cHEXColor, 42);
    EXPECT_EQ(loaded.myColors.hexPacket_ErrorColor, 255);
}

TEST_F(SnifferSettingsFile, MissingKeysTakeLoadingDefaults) {
    std::ofstream(file()) << "[HeaderSettings]\n"
                             "cHEX.headerDescription = hex\n"
                             "cType.addToHeader=0\n"
                             "cCommand.cColor=not a number\n"
                             "[DebugMode]\nsaveToFileIsOn=1\n";
    s.snifferUIDRec.addDescriptionToHeader = false;
    ASSERT_TRUE(s.loadFromFile());
    EXPECT_EQ(s.values.cHEX.headerDescription, "hex ");
    EXPECT_FALSE(s.values.cType.addToHeader);
    EXPECT_EQ(s.values.cCommand.cColor, 38144);
    // Loading defaults differ from initSniffer for two values.
    EXPECT_EQ(s.values.cHEX.cColor, 38144);
    EXPECT_TRUE(s.snifferUIDRec.addDescriptionToHeader);
    // DebugMode is never read.
    EXPECT_FALSE(s.saveToFile_isOn());
}

TEST_F(SnifferSettingsFile, KeepsForeignLinesAndUpdatesInPlace) {
    std::ofstream(file()) << "; kept\n[Other]\nx=1\n[HeaderSettings]\ncText.cColor=5\n";
    ASSERT_TRUE(s.saveToFile());
    const std::string text = readWholeFile(file());
    EXPECT_EQ(text.rfind("; kept\n[Other]\nx=1\n[HeaderSettings]\ncText.cColor=38144\n", 0), 0u)
        << text;
    EXPECT_EQ(text.find("cText.cColor=5"), std::string::npos);
}

TEST_F(SnifferSettingsFile, OnlyTheIniFormatHasAFile) {
    for (auto format : {TSnifferFileFormats::snif_TXT, TSnifferFileFormats::snif_CSV}) {
        s.setFileFormat(format);
        EXPECT_FALSE(s.saveToFile());
        EXPECT_FALSE(s.loadFromFile());
    }
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(SnifferSettingsFile, UnwritableFileAnswersFalse) {
    std::filesystem::create_directory(file());  // a folder where the file should be
    EXPECT_FALSE(s.saveToFile());
}

// The sniffer of a real transport, driven command by command by the exchange.
class SnifferOnTheWire : public ::testing::Test {
protected:
    SnifferOnTheWire() {
        connector.setPort(listener.port());
        sniffer().initSniffer();
    }
    TSniffer& sniffer() { return *connector.Sniffer(); }
    // Lines of the log that carry all the given parts.
    std::vector<std::string> logLinesWith(std::initializer_list<std::string> parts) const {
        std::vector<std::string> found;
        for (const auto& line : linesOf(readWholeFile(scratch.path() + "wire.txt"))) {
            bool all = true;
            for (const auto& p : parts) all = all && line.find(p) != std::string::npos;
            if (all) found.push_back(line);
        }
        return found;
    }

    ScratchFolder scratch;
    test::LoopbackListener listener;
    TTCPIPConnector connector;
    test::TransportRig rig{connector, TCommunicationType::ct_TCPIP};
};

TEST_F(SnifferOnTheWire, ARetriedRequestLogsRowsForEachAttempt) {
    // The register rejects the first request and answers the repeated one.
    int seen = 0;
    test::FrameResponder registerSide(listener, [&seen](const test::RequestFrame& r) {
        return ++seen == 1 ? test::ResponderReply{{frame::kNak}, false} : test::echoAnswer(r);
    });
    sniffer().setActive(true);
    sniffer().setLogFolder(scratch.path());
    sniffer().setLogFileName("wire");
    sniffer().setSaveToFile_isOn(true);
    rig.exchange.setRepeatCount(2);
    ASSERT_EQ(connector.openConnection(), 0);
    ASSERT_TRUE(rig.run(107, "R\t1\t"));

    const std::string request = "01 30 30 32 3E 20 30 30 36 3B 52 09 31 09 05 ";
    for (const std::string attempt : {"1", "2"}) {
        const auto rows = logLinesWith({"[Repeat count = " + attempt + "]", "[Type = Request]"});
        ASSERT_EQ(rows.size(), 2u) << "attempt " << attempt;
        EXPECT_NE(rows[0].find("[0][Repeat count = " + attempt + "][Command = 107]"),
                  std::string::npos)
            << rows[0];
        EXPECT_NE(rows[0].find("[text]R\t1\t"), std::string::npos) << rows[0];
        // The hex row shows the bytes the connector wrote.
        EXPECT_NE(rows[1].find("[hex ]" + request), std::string::npos) << rows[1];
    }
    const auto answers = logLinesWith({"[Repeat count = 2]", "[Type = Answer ]"});
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_NE(answers[0].find("[text]0\tR\t1\t"), std::string::npos) << answers[0];
    EXPECT_NE(answers[1].find("[hex ]01 30 30 33 "), std::string::npos) << answers[1];
    EXPECT_EQ(sniffer().snifferUIDRec.Value, 0);  // one command, two attempts
}

TEST_F(SnifferOnTheWire, AnInactiveSnifferKeepsItsCounterAndRecordsNoBytes) {
    test::FrameResponder registerSide(listener, test::echoAnswer);
    ASSERT_EQ(connector.openConnection(), 0);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(rig.run(74, ""));
    EXPECT_EQ(sniffer().snifferUIDRec.Value, -1);
    EXPECT_EQ(sniffer().values.cHEX.toDeviceValue, "");
    EXPECT_EQ(sniffer().values.cHEX.fromDeviceValue, "");

    sniffer().setActive(true);
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(rig.run(74, ""));
    EXPECT_EQ(sniffer().snifferUIDRec.Value, 1);
    // Command 74 with SEQ 0x24 (the fifth request): checksum 0x01C3.
    EXPECT_EQ(sniffer().values.cHEX.toDeviceValue,
              "01 30 30 32 3A 24 30 30 34 3A 05 30 31 3C 33 03 ");
}

}  // namespace
}  // namespace tessel
