#include "device_rig.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace tessel::test {
namespace {

// The error container sets up folders under the user's data folder; the
// whole test program runs with HOME and XDG_DATA_HOME in a scratch folder.
class ScratchUserFolders : public ::testing::Environment {
public:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessel_deviceXXXXXX").string();
        fRoot = ::mkdtemp(pattern.data());
        ::setenv("HOME", fRoot.c_str(), 1);
        ::setenv("XDG_DATA_HOME", (fRoot + "/data").c_str(), 1);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(fRoot, ec);
    }

private:
    std::string fRoot;
};

const auto* const kScratchUserFolders = ::testing::AddGlobalTestEnvironment(new ScratchUserFolders);

}  // namespace

DeviceRig::DeviceRig(TPacketFormat format, ScriptedRegister::Line line) : reg(format, line) {
    misc.setDialogPresenter(&presenter);
    fd.setErrContainer(&err);
    fd.setMisc(&misc);
    fd.dd().LowLevel().setProtocolType(format);
    fd.setRepeatCount(1);
    if (line == ScriptedRegister::Line::Serial) {
        fd.setCommunicationType(TCommunicationType::ct_RS232);
        fd.RS232().setPortName(reg.portName());
    } else {
        fd.setCommunicationType(TCommunicationType::ct_TCPIP);
        fd.TCPIP().setAddress("127.0.0.1");
        fd.TCPIP().setPort(reg.port());
    }
}

bool DeviceRig::open() {
    TConnector& connector = fd.CommunicationType() == TCommunicationType::ct_RS232
                                ? static_cast<TConnector&>(fd.RS232())
                                : static_cast<TConnector&>(fd.TCPIP());
    return connector.openConnection() == 0;
}

bool DeviceRig::command(std::uint16_t cmd, const std::string& input) {
    return fd.customCommand(cmd, input, output);
}

}  // namespace tessel::test
