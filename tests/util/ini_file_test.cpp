#include "util/ini_file.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <array>
#include <cstdlib>
#include <filesystem>

namespace tessel {
namespace {

constexpr std::array<IniKeyRef, 4> kOrder{{
    {"DeviceDepended", "ProtocolType"},
    {"DeviceDepended", "CodePage"},
    {"Program", "CommunicationType"},
    {"Program", "COMPort"},
}};

TEST(IniFile, TrimBlanksTakesBlanksAndTabsOffBothEndsOnly) {
    const std::array<std::array<const char*, 2>, 5> cases{{
        {" \t COM 3 \t", "COM 3"},
        {"/dev/ttyS0", "/dev/ttyS0"},
        {"a \t b", "a \t b"},
        {" \t ", ""},
        {"\r7\n", "\r7\n"},
    }};
    for (const auto& [text, expected] : cases) EXPECT_EQ(trimBlanks(text), expected) << text;
}

TEST(IniFile, ReadsCrLfAndLfAlikeAndRewritesUnchangedTextByteForByte) {
    const std::string lf =
        "; made by hand\n[Program]\nCOMPort=COM 3\nIPAddress = 10.0.0.7 \n\n[Other]\nx=1";
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);

    for (const std::string& text : {lf, crlf, "\xEF\xBB\xBF" + crlf}) {
        const IniFile ini = IniFile::parse(text);
        EXPECT_EQ(ini.value("Program", "COMPort"), "COM 3");
        EXPECT_EQ(ini.value("program", "comport"), "COM 3") << "names ignore letter case";
        EXPECT_EQ(ini.value("Program", "IPAddress"), " 10.0.0.7 ") << "values stay verbatim";
        EXPECT_EQ(ini.value("Other", "x"), "1");
        EXPECT_EQ(ini.value("Program", "x"), std::nullopt) << "keys belong to their own section";
        EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Program", "Other"}));
        EXPECT_EQ(ini.text(), text);
    }
}

TEST(IniFile, StrayCarriageReturnsBeforeABreakNeverReachAValue) {
    // An LF file with a line ending in CR CR LF: every save used to drop one
    // more CR from the value.
    const IniFile ini = IniFile::parse("[A]\nKey=V\r\r\r\nOther=1\n");
    EXPECT_EQ(ini.value("A", "Key"), "V");
    const std::string once = ini.text();
    EXPECT_EQ(IniFile::parse(once).text(), once);
    EXPECT_EQ(IniFile::parse(once).value("A", "Key"), "V");
}

TEST(IniFile, TellsAMissingKeyFromAnEmptyOneAndKeepsTheFirstOfTwins) {
    const IniFile ini =
        IniFile::parse("[A]\nempty=\nk=first\nk=second\n=orphan\n;k=comment\n[A]\nlate=1\n");
    EXPECT_EQ(ini.value("A", "empty"), "");
    EXPECT_EQ(ini.value("A", "absent"), std::nullopt);
    EXPECT_EQ(ini.value("B", "k"), std::nullopt);
    EXPECT_EQ(ini.value("A", "k"), "first");
    EXPECT_EQ(ini.keys("A"), (std::vector<std::string>{"empty", "k", "k"}));
    EXPECT_EQ(ini.value("A", "late"), std::nullopt) << "a repeated section is not merged";
}

TEST(IniFile, RewritingAValueKeepsEverythingElseInPlace) {
    IniFile ini = IniFile::parse(
        "[Program]\r\n; port of the shop\r\nCOMPort=COM 3\r\nMine=keep "
        "me\r\n\r\n[Other]\r\nx=1\r\n");
    ini.setValue("program", "comport", "COM 7", kOrder);
    EXPECT_EQ(ini.text(),
              "[Program]\r\n; port of the shop\r\nCOMPort=COM 7\r\nMine=keep "
              "me\r\n\r\n[Other]\r\nx=1\r\n");
}

TEST(IniFile, PlacesNewKeysAndSectionsWhereTheTableOrdersThem) {
    struct Case {
        const char* name;
        const char* before;
        IniKeyRef key;
        const char* after;
    };
    const Case cases[] = {
        {"key before a later key",
         "[Program]\nUser=1\nCOMPort=COM 1\n",
         {"Program", "CommunicationType"},
         "[Program]\nUser=1\nCommunicationType=v\nCOMPort=COM 1\n"},
        {"key after the section's last key",
         "[Program]\nCommunicationType=RS232\nUser=1\n\n[X]\n",
         {"Program", "COMPort"},
         "[Program]\nCommunicationType=RS232\nUser=1\nCOMPort=v\n\n[X]\n"},
        {"key into an empty section",
         "[Program]\n[X]\n",
         {"Program", "COMPort"},
         "[Program]\nCOMPort=v\n[X]\n"},
        {"section before a later section",
         "[Mine]\na=1\n\n[Program]\nCOMPort=COM 1\n",
         {"DeviceDepended", "CodePage"},
         "[Mine]\na=1\n\n[DeviceDepended]\nCodePage=v\n\n[Program]\nCOMPort=COM 1\n"},
        {"section at the end",
         "[Mine]\na=1\n",
         {"Program", "COMPort"},
         "[Mine]\na=1\n\n[Program]\nCOMPort=v\n"},
        {"unknown key at the section's end",
         "[Program]\nCOMPort=COM 1\n",
         {"Program", "Zed"},
         "[Program]\nCOMPort=COM 1\nZed=v\n"},
        {"into an empty file", "", {"Program", "COMPort"}, "[Program]\nCOMPort=v\n"},
    };
    for (const auto& c : cases) {
        IniFile ini = IniFile::parse(c.before);
        ini.setValue(c.key.section, c.key.key, "v", kOrder);
        EXPECT_EQ(ini.text(), c.after) << c.name;
    }
}

TEST(IniFile, SavesThroughATemporaryFileAndLoadsItBack) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("tessel_ini_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto file = folder / "settings.ini";

    EXPECT_EQ(IniFile::load(file), std::nullopt) << "a missing file cannot be read";
    IniFile ini;
    ini.setValue("Program", "IPAddress", "192.168.0.1");
    ASSERT_TRUE(ini.save(file));
    const auto loaded = IniFile::load(file);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->value("Program", "IPAddress"), "192.168.0.1");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator{}),
              1)
        << "no temporary file is left behind";

    EXPECT_FALSE(ini.save(folder / "missing" / "settings.ini"));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tessel
