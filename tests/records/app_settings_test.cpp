#include "records/app_settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace tessel {
namespace {

// Values that differ from every default, to see what a read replaces.
AppSettings unusual() {
    AppSettings s;
    s.protocolType = TPacketFormat::protocol_Type2;
    s.codePage = 1250;
    s.sendDelimiter = ";";
    s.recieveDelimiter = "|";
    s.errorStyle = TErrorStyle::pfStyle;
    s.uploadCommand = 1;
    s.downloadCommand = 2;
    s.communicationType = TCommunicationType::ct_TCPIP;
    s.comPort = 9;
    s.comPortName = "/dev/ttyS8";  // port 9 of the COM numbering
    s.baudRate = 9600;
    s.port = 4000;
    s.ipAddress = "10.1.1.1";
    s.defaultLoadFolder = "/in";
    s.defaultSaveFolder = "/out";
    s.activeSniffer = false;
    s.activeProgress = false;
    s.activeProcessMessages = false;
    s.progressStep = 5;
    return s;
}

AppSettings readFrom(std::string_view text, AppSettings start = unusual()) {
    readAppSettings(IniFile::parse(text), start);
    return start;
}

TEST(AppSettings, MissingKeysGiveTheirDefaults) {
    EXPECT_EQ(readFrom(""), AppSettings{});
    EXPECT_EQ(readFrom("[Other]\nPort=1\n"), AppSettings{});
}

TEST(AppSettings, ReadRules) {
    using Check = std::function<bool(const AppSettings&)>;
    struct Case {
        const char* text;
        Check check;
    };
    const Case cases[] = {
        {"[DeviceDepended]\nProtocolType=1",
         [](auto& s) { return s.protocolType == TPacketFormat::protocol_Type1; }},
        {"[DeviceDepended]\nProtocolType=2",
         [](auto& s) { return s.protocolType == TPacketFormat::protocol_Type2; }},
        {"[DeviceDepended]\nProtocolType=0",
         [](auto& s) { return s.protocolType == TPacketFormat::protocol_Type2; }},
        {"[DeviceDepended]\nProtocolType=two",
         [](auto& s) { return s.protocolType == TPacketFormat::protocol_Type1; }},
        {"[DeviceDepended]\nCodePage= 1252 ", [](auto& s) { return s.codePage == 1252; }},
        {"[DeviceDepended]\nCodePage=12x", [](auto& s) { return s.codePage == 1251; }},
        {"[DeviceDepended]\nCodePage=99999999999", [](auto& s) { return s.codePage == 1251; }},
        {"[DeviceDepended]\nSendDelimiter=[TAB]", [](auto& s) { return s.sendDelimiter == "\t"; }},
        {"[DeviceDepended]\nSendDelimiter=", [](auto& s) { return s.sendDelimiter == "\t"; }},
        {"[DeviceDepended]\nSendDelimiter= ", [](auto& s) { return s.sendDelimiter == " "; }},
        {"[DeviceDepended]\nRecieveDelimiter=;", [](auto& s) { return s.recieveDelimiter == ";"; }},
        {"[DeviceDepended]\nErrorStyle=PFSTYLE",
         [](auto& s) { return s.errorStyle == TErrorStyle::pfStyle; }},
        {"[DeviceDepended]\nErrorStyle=pf",
         [](auto& s) { return s.errorStyle == TErrorStyle::errorCode; }},
        {"[Program]\nCommunicationType=tcpip",
         [](auto& s) { return s.communicationType == TCommunicationType::ct_TCPIP; }},
        {"[Program]\nCommunicationType=USB",
         [](auto& s) { return s.communicationType == TCommunicationType::ct_RS232; }},
        {"[Program]\nCOMPort=COM 3",
         [](auto& s) { return s.comPort == 3 && s.comPortName.empty(); }},
        {"[Program]\nCOMPort=COM 007", [](auto& s) { return s.comPort == 7; }},
        {"[Program]\nCOMPort=/dev/ttyUSB0",
         [](auto& s) { return s.comPortName == "/dev/ttyUSB0"; }},
        {"[Program]\nBaudRate=fast", [](auto& s) { return s.baudRate == 115200; }},
        {"[Program]\nIPAddress= 192.168.1.50 ",
         [](auto& s) { return s.ipAddress == "192.168.1.50"; }},
        {"[Program]\nEventsSettings.ActiveSniffer=0", [](auto& s) { return !s.activeSniffer; }},
        {"[Program]\nEventsSettings.ActivePorgress=yes", [](auto& s) { return s.activeProgress; }},
        {"[Program]\nEventsSettings.PorgressStep=25", [](auto& s) { return s.progressStep == 25; }},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.check(readFrom(c.text))) << c.text;
}

TEST(AppSettings, AnUnreadableValueSpoilsOnlyItsOwnKey) {
    const AppSettings s = readFrom(
        "[Program]\r\nCommunicationType=TCPIP\r\nBaudRate=\xff\xfe\r\nPort=4001\r\n"
        "IPAddress=10.0.0.9\r\n");
    EXPECT_EQ(s.baudRate, 115200);
    EXPECT_EQ(s.communicationType, TCommunicationType::ct_TCPIP);
    EXPECT_EQ(s.port, 4001);
    EXPECT_EQ(s.ipAddress, "10.0.0.9");
}

TEST(AppSettings, APortAbove65535EndsTheReadingThere) {
    const AppSettings start = unusual();
    const AppSettings s = readFrom(
        "[Program]\nCommunicationType=RS232\nPort=65536\nIPAddress=10.0.0.9\n"
        "defaultLoadFolder=/x\n",
        start);
    EXPECT_EQ(s.communicationType, TCommunicationType::ct_RS232) << "keys before it are read";
    EXPECT_EQ(s.port, start.port);
    EXPECT_EQ(s.ipAddress, start.ipAddress);
    EXPECT_EQ(s.defaultLoadFolder, start.defaultLoadFolder);
    EXPECT_EQ(s.progressStep, start.progressStep);
    EXPECT_EQ(readFrom("[Program]\nPort=65535\n").port, 65535);
}

TEST(AppSettings, WritesEveryKeyInTableOrder) {
    AppSettings s;
    s.protocolType = TPacketFormat::protocol_Type2;
    s.comPort = 3;
    IniFile ini;
    writeAppSettings(s, ini);
    EXPECT_EQ(ini.text(),
              "[DeviceDepended]\nProtocolType=2\nCodePage=1251\nSendDelimiter=,\n"
              "RecieveDelimiter=[TAB]\nErrorStyle=errorCode\nUploadCommand=202\n"
              "DownloadCommand=121\n\n[Program]\nCommunicationType=RS232\nCOMPort=COM 3\n"
              "BaudRate=115200\nPort=3999\nIPAddress=192.168.0.1\ndefaultLoadFolder=./NewLogo\n"
              "defaultSaveFolder=./DeviceLogo\nEventsSettings.ActiveSniffer=1\n"
              "EventsSettings.ActivePorgress=1\nEventsSettings.ActiveProcessMessages=1\n"
              "EventsSettings.PorgressStep=100\n");
}

TEST(AppSettings, RewritingAWindowsFileKeepsItsOtherContentAndRoundTrips) {
    IniFile ini = IniFile::parse(
        "[Program]\r\nCOMPort=COM 3\r\nOwnerNote=shop 2\r\nPort=3999\r\n\r\n"
        "[LogoLoader]\r\nLast=a.bmp\r\n");
    AppSettings read;
    readAppSettings(ini, read);
    EXPECT_EQ(read.comPort, 3);

    const AppSettings written = unusual();
    writeAppSettings(written, ini);
    const std::string text = ini.text();
    EXPECT_NE(text.find("OwnerNote=shop 2\r\n"), std::string::npos);
    EXPECT_NE(text.find("[LogoLoader]\r\nLast=a.bmp\r\n"), std::string::npos);
    EXPECT_EQ(text.find("[DeviceDepended]"), 0u) << "placed before [Program]";
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "the file keeps CR LF";
    EXPECT_EQ(readFrom(text, AppSettings{}), written);

    AppSettings numbered = written;
    numbered.comPortName.clear();
    numbered.comPort = 12;
    writeAppSettings(numbered, ini);
    EXPECT_EQ(ini.value("Program", "COMPort"), "COM 12");
}

class AppSettingsFile : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove_all(root); }
    std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("tessel_settings_" + std::to_string(::getpid()));
};

TEST_F(AppSettingsFile, SaveCreatesTheFolderAndLoadReadsItBack) {
    const auto folder = root / "Settings";
    AppSettings loaded = unusual();
    EXPECT_FALSE(settings_Load_FromFile(folder, loaded)) << "no file yet";
    EXPECT_EQ(loaded, unusual());

    ASSERT_TRUE(settings_Save_ToFile(folder, unusual()));
    AppSettings back;
    ASSERT_TRUE(settings_Load_FromFile(folder, back));
    EXPECT_EQ(back, unusual());
}

TEST_F(AppSettingsFile, AFileThatCannotBeReadIsNotReplaced) {
    const auto folder = root / "Settings";
    std::filesystem::create_directories(folder / kSettingsFileName);  // a folder, not a file
    AppSettings s;
    EXPECT_FALSE(settings_Load_FromFile(folder, s));
    EXPECT_FALSE(settings_Save_ToFile(folder, s));
    EXPECT_TRUE(std::filesystem::is_directory(folder / kSettingsFileName));
}

}  // namespace
}  // namespace tessel
