#include "records/device_module.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "records/ecr_model.h"

namespace tessel {
namespace {

TEST(EcrModel, KnownNamesInAnyLetterCase) {
    struct Case {
        const char* name;
        int model;
    };
    const Case cases[] = {{"TK-81 R", 0}, {"ls 37", 1},   {"Ls 90", 2}, {"QN 12", 3},
                          {"TK-81R", -1}, {"QN 12 ", -1}, {"", -1}};
    for (const auto& c : cases) EXPECT_EQ(ecrModelOf(c.name), c.model) << '"' << c.name << '"';
}

// The error container sets up folders below the user's home: point it at a
// temporary one.
class DeviceModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root);
        setenv("HOME", root.c_str(), 1);
        setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(root); }
    std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("tessel_module_" + std::to_string(::getpid()));
};

TEST_F(DeviceModuleTest, SetsUpTheDeviceAsTheApplicationRunsIt) {
    DeviceModule module;
    TFiscalDevice& device = module.fDevice;
    EXPECT_EQ(device.Misc(), &module.misc);
    EXPECT_EQ(device.errContainer(), &module.err_);
    EXPECT_EQ(device.repeatCount(), 1);
    EXPECT_EQ(device.RS232().exitByTimeValue(), 10000u);
    EXPECT_EQ(device.TCPIP().exitByTimeValue(), 30000u);
    EXPECT_EQ(device.dd().LowLevel().ProtocolType(), TPacketFormat::protocol_Type2);
}

TEST_F(DeviceModuleTest, StatusBitsThatAreNotErrors) {
    DeviceModule module;
    for (const int byteIndex : {0, 1, 2, 4}) module.SRB_TK_81R.set_sByteErrors(byteIndex);
    module.set_errorBitsToFalse();

    const TLowLevel& lowLevel = module.fDevice.dd().LowLevel();
    const int notErrors[][2] = {{0, 6}, {0, 5}, {0, 4}, {1, 1}, {1, 0}, {2, 2},
                                {2, 0}, {4, 6}, {4, 5}, {4, 4}, {4, 0}};
    const TErrorChecking cases[] = {TErrorChecking::ccProduction,
                                    TErrorChecking::ccDevelopmentAndTest, TErrorChecking::ccService,
                                    TErrorChecking::ccEndUser};
    for (const auto& [byteIndex, bitIndex] : notErrors) {
        for (const auto checking : cases) {
            EXPECT_FALSE(lowLevel.get_sBytesCheckingFor(byteIndex, bitIndex, checking))
                << "byte " << byteIndex << " bit " << bitIndex;
        }
    }
    EXPECT_TRUE(lowLevel.get_sBytesCheckingFor(0, 1, TErrorChecking::ccEndUser))
        << "an invalid command code still fails a command";
    EXPECT_TRUE(lowLevel.get_sBytesCheckingFor(0, 0, TErrorChecking::ccProduction))
        << "so does a syntax error";
}

TEST_F(DeviceModuleTest, ARefusedOpenLeavesItsCodeInTheContainer) {
    DeviceModule module;
    ConnectionSpec nowhere;
    nowhere.kind = ConnectionSpec::Kind::serial;
    nowhere.path = (root / "no-such-port").string();
    const std::int32_t code = module.openConnection(nowhere);
    EXPECT_NE(code, 0);
    EXPECT_EQ(module.err_.LastErrorCode(), code);
    EXPECT_EQ(module.fDevice.CommunicationType(), TCommunicationType::ct_RS232);
    EXPECT_FALSE(module.currentConnector().Active());
}

}  // namespace
}  // namespace tessel
