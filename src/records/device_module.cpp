#include "records/device_module.h"

#include <array>
#include <utility>

#include "errors/error_exception.h"

namespace tessel {

namespace {

constexpr std::uint32_t kSerialTimeLimitMs = 10000;
constexpr std::uint32_t kTcpTimeLimitMs = 30000;
constexpr std::int32_t kRepeatCount = 1;

// Status bits that must not fail a command on their own: cover open, the
// general error and printing mechanism, command not permitted, overflow,
// journal full, end of paper and the fiscal memory bits.
constexpr std::array<std::pair<int, int>, 11> kNotErrorBits{{
    {0, 6},
    {0, 5},
    {0, 4},
    {1, 1},
    {1, 0},
    {2, 2},
    {2, 0},
    {4, 6},
    {4, 5},
    {4, 4},
    {4, 0},
}};

}  // namespace

DeviceModule::DeviceModule() {
    fDevice.setMisc(&misc);
    fDevice.setErrContainer(&err_);
    SRB_TK_81R.setFCore(&fDevice);
    fDevice.RS232().setExitByTime(true);
    fDevice.RS232().setExitByTimeValue(kSerialTimeLimitMs);
    fDevice.TCPIP().setExitByTime(true);
    fDevice.TCPIP().setExitByTimeValue(kTcpTimeLimitMs);
    fDevice.setRepeatCount(kRepeatCount);
    set_errorBitsToFalse();
}

DeviceModule::~DeviceModule() {
    closeConnection();
}

TConnector& DeviceModule::currentConnector() {
    if (fDevice.CommunicationType() == TCommunicationType::ct_TCPIP) return fDevice.TCPIP();
    return fDevice.RS232();
}

std::int32_t DeviceModule::openConnection(const ConnectionSpec& connection) {
    fDevice.dd().i90().setGetAfterConnect(true);
    if (connection.kind == ConnectionSpec::Kind::tcp) {
        fDevice.setCommunicationType(TCommunicationType::ct_TCPIP);
        fDevice.TCPIP().setAddress(connection.host);
        fDevice.TCPIP().setPort(static_cast<std::uint16_t>(connection.port));
    } else {
        fDevice.setCommunicationType(TCommunicationType::ct_RS232);
        fDevice.RS232().setPortName(connection.path);
        fDevice.RS232().setPort(connection.portNumber);
        fDevice.RS232().setBaudRate(connection.baudRate);
    }
    std::int32_t code = 0;
    try {
        code = currentConnector().openConnection();
    } catch (const ETesselError& error) {
        code = error.code();  // raised in RaiseMode, the application's setting
    }
    err_.setLastErrorCode(code);
    return code;
}

bool DeviceModule::identify() {
    std::string answer;
    return fDevice.customCommand_cp1251(kIdentificationCommand, "\t", answer);
}

void DeviceModule::closeConnection() {
    if (currentConnector().Active()) currentConnector().closeConnection();
}

void DeviceModule::set_errorBitsToFalse() {
    for (const auto& [byteIndex, bitIndex] : kNotErrorBits) {
        fDevice.dd().LowLevel().set_sBytesCheckingForAll(byteIndex, bitIndex, false);
    }
}

}  // namespace tessel
