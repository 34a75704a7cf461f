#include "link/tcp_connector.h"


#include "errors/err_container.h"
#include "errors/error_exception.h"

namespace tessel {

TTCPIPConnector::TTCPIPConnector() {
    fExitByTimeValue = 3000;
}

TTCPIPConnector::~TTCPIPConnector() = default;

void TTCPIPConnector::Assign(const TTCPIPConnector& source) {
    setAddress(source.fAddress);
    setPort(source.fPort);
    fExitByTimeIsOn = source.fExitByTimeIsOn;
    fExitByTimeValue = source.fExitByTimeValue;
}

bool TTCPIPConnector::Active() const {
    return fClient.connected();
}

void TTCPIPConnector::setAddress(const std::string& v) {
    if (!Active()) fAddress = v;
}

void TTCPIPConnector::setPort(std::uint16_t v) {
    if (!Active()) fPort = v;
}

std::int32_t TTCPIPConnector::openConnection() {
    if (check_Components() != 0) return -1;
    try {
        connectSteps();
    } catch (...) {
        setCode(-23001);
        logLastErrorMessage();
    }
    raiseOnFailure();
    return code();
}

void TTCPIPConnector::connectSteps() {
    // A connected client is not connected again; the identification read
    // below is repeated.
    if (!Active()) {
        std::string reason;
        if (fClient.connect(fAddress, fPort, kTcpConnectLimit, reason) != 0) {
            setCode(-23001);
            logFailure("TTCPIPConnector.openConnection: " + reason);
            logLastErrorMessage();
            return;
        }
    }
    setCode(0);
    if (hasAfterConnect()) {
        sleepWaiting(kTcpIdentificationPause, fWaitHook);
        setCode(runAfterConnect() ? 0 : -3);
    }
}

void TTCPIPConnector::setWaitHook(TWaitHook hook) {
    fClient.setWaitHook(hook);
    fWaitHook = std::move(hook);
}

std::int32_t TTCPIPConnector::closeConnection() {
    const bool wasConnected = Active();
    // Also drops a connection the peer has already closed.
    fClient.disconnect();
    if (fErrContainer != nullptr) setCode(0);
    return wasConnected ? 0 : -1;
}

std::int32_t TTCPIPConnector::clearIOBuffers() {
    if (check_Components() != 0) return -1;
    // Input only: whatever is on its way out stays on its way.
    fClient.discardInput();
    setCode(0);
    return 0;
}

bool TTCPIPConnector::notConnected() const {
    // A close the peer sent is found by the read itself; no extra probe per byte.
    if (fClient.isOpen()) return false;
    setCode(-1);
    logLastErrorMessage();
    raiseOnFailure();
    return true;
}

bool TTCPIPConnector::readAndRecord(std::uint8_t* buffer, std::size_t count,
                                    std::uint32_t& bytesCount) {
    int error = 0;
    const std::size_t n = fClient.read(buffer, count, fReadTimeout, error);
    bytesCount = static_cast<std::uint32_t>(n);
    if (n != count) {
        setCode(-10);
        logLastErrorMessage();
        return false;
    }
    setCode(0);
    recordBytes(TDataDirection::fromDevice, buffer, n);
    return true;
}

bool TTCPIPConnector::readByte(std::uint8_t& b, std::uint32_t& bytesCount) {
    bytesCount = 0;
    if (check_Components() != 0 || notConnected()) return false;
    const bool ok = readAndRecord(&b, 1, bytesCount);
    raiseOnFailure();
    return ok;
}

std::uint8_t TTCPIPConnector::readByte() {
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    return readByte(b, count) ? b : 0;
}

std::uint32_t TTCPIPConnector::readBuffer(std::uint8_t* buffer, std::uint32_t buffLength) {
    if (check_Components() != 0 || notConnected()) return 0;
    std::uint32_t count = 0;
    readAndRecord(buffer, buffLength, count);
    fClient.discardInput();
    raiseOnFailure();
    return count;
}

std::uint32_t TTCPIPConnector::writeBuffer(const std::uint8_t* buffer, std::uint32_t buffLength) {
    if (check_Components() != 0) return 0;
    if (!fClient.isOpen()) {
        const std::string text = "TTCPIPConnector.writeBuffer: not connected";
        logFailure(text);
        if (fErrContainer->RaiseMode()) throw ETesselError(code(), text);
        return 0;
    }
    int error = 0;
    if (fClient.write(buffer, buffLength, kTcpWriteLimit, error) != buffLength) {
        // The short count is the failure the exchange acts on; the code stays.
        logLastErrorMessage();
        return 0;
    }
    setCode(0);
    recordBytes(TDataDirection::toDevice, buffer, buffLength);
    return buffLength;
}

bool TTCPIPConnector::writeByte(std::uint8_t byteValue) {
    return writeBuffer(&byteValue, 1) == 1;
}

bool TTCPIPConnector::check_Readable() {
    if (check_Components() != 0) return false;
    return fClient.waitReadable(fReadTimeout);
}

}  // namespace tessel
