#include "cli/connection_source.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

namespace tessel::cli {
namespace {

class ConnectionSource : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove_all(root); }
    void writeSettings(const std::string& text) {
        std::filesystem::create_directories(folder);
        std::ofstream(folder / kSettingsFileName) << text;
    }
    std::filesystem::path root = std::filesystem::temp_directory_path() /
                                 ("tessel_cli_source_" + std::to_string(::getpid()));
    std::filesystem::path folder = root / "Settings";
};

TEST_F(ConnectionSource, OptionThenEnvironmentThenSettingsFile) {
    writeSettings("[Program]\r\nCommunicationType=TCPIP\r\nPort=4001\r\nIPAddress=10.0.0.5\r\n");
    auto chosen = chooseConnection({"tcp:a:1", "tcp:b:2", folder});
    ASSERT_TRUE(chosen.spec);
    EXPECT_EQ(chosen.spec->host, "a");
    chosen = chooseConnection({std::nullopt, "tcp:b:2", folder});
    ASSERT_TRUE(chosen.spec);
    EXPECT_EQ(chosen.spec->host, "b");
    chosen = chooseConnection({std::nullopt, "", folder});
    ASSERT_TRUE(chosen.spec) << "an empty variable counts as unset";
    EXPECT_EQ(formatConnectionText(*chosen.spec), "tcp:10.0.0.5:4001");
}

TEST_F(ConnectionSource, SerialSettingsKeepThePortNumberOrPath) {
    writeSettings("[Program]\nCOMPort=COM 3\nBaudRate=9600\n");
    auto chosen = chooseConnection({std::nullopt, std::nullopt, folder});
    ASSERT_TRUE(chosen.spec);
    EXPECT_EQ(formatConnectionText(*chosen.spec), "serial:COM 3?baud=9600");
    writeSettings("[Program]\nCOMPort=/dev/ttyUSB1\n");
    chosen = chooseConnection({std::nullopt, std::nullopt, folder});
    ASSERT_TRUE(chosen.spec);
    EXPECT_EQ(formatConnectionText(*chosen.spec), "serial:/dev/ttyUSB1?baud=115200");
}

TEST_F(ConnectionSource, UsageErrorsNameTheirSource) {
    auto chosen = chooseConnection({"tcp:host", std::nullopt, folder});
    EXPECT_FALSE(chosen.spec);
    EXPECT_TRUE(chosen.error.starts_with("--connect: ")) << chosen.error;
    chosen = chooseConnection({std::nullopt, "serial:", folder});
    EXPECT_TRUE(chosen.error.starts_with("TESSEL_CONNECT: ")) << chosen.error;

    chosen = chooseConnection({std::nullopt, std::nullopt, folder});
    EXPECT_FALSE(chosen.spec);
    EXPECT_NE(chosen.error.find("no connection given"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder)) << "looking for the file creates nothing";
}

}  // namespace
}  // namespace tessel::cli
