#include "link/serial_connector.h"

#include <cstring>

#include "errors/err_container.h"

namespace tessel {
namespace {

constexpr std::uint16_t kXonXoffLimit = 2048;
constexpr char kXonChar = 0x11;
constexpr char kXoffChar = 0x13;

}  // namespace

TRS232Connector::TRS232Connector() = default;

// The port closes with fPortIO; the error container may be gone by now, so
// nothing is reported.
TRS232Connector::~TRS232Connector() = default;

void TRS232Connector::Assign(const TRS232Connector& source) {
    fBaudRate = source.fBaudRate;
    fPort = source.fPort;
    fPortName = source.fPortName;
    fByteSize = source.fByteSize;
    fParity = source.fParity;
    fStopBits = source.fStopBits;
    fExitByTimeIsOn = source.fExitByTimeIsOn;
    fExitByTimeValue = source.fExitByTimeValue;
    setSniffer(source.Sniffer());
}

std::string TRS232Connector::devicePath() const {
    return fPortName.empty() ? "/dev/ttyS" + std::to_string(fPort - 1) : fPortName;
}

bool TRS232Connector::notOpen(std::int32_t failureCode) const {
    if (Active()) return false;
    setCode(failureCode);
    logLastErrorMessage();
    raiseOnFailure();
    return true;
}

std::int32_t TRS232Connector::openConnection() {
    if (const auto check = check_Components(); check != 0) return check;
    if (Active()) {
        setCode(0);
        return 0;
    }
    try {
        openSteps();
    } catch (...) {
        setCode(-3);
        logLastErrorMessage();
    }
    // A failed opening must not leave a half-configured port open behind it.
    if (code() != 0) fPortIO.close();
    raiseOnFailure();
    return code();
}

void TRS232Connector::openSteps() {
    std::string reason;
    if (fPortIO.open(devicePath(), reason) != 0) {
        setCode(-3);
        logFailure("TRS232Connector.openConnection: " + reason);
        logLastErrorMessage();
        return;
    }
    if (!fPortIO.readLineSettings(fDCB)) {
        setCode(-3);
        logLastErrorMessage();
        return;
    }
    if (fSetDCBInOpenMethod) {
        fillDCB();
        // A line the port refuses is logged; the port keeps its old settings
        // and opening goes on.
        if (const int error = fPortIO.writeLineSettings(fDCB); error != 0) logDCBFailure(error);
    }

    const TCommTimeouts& t = fCommTimeouts;
    if (set_TimeoutValues(t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier,
                          t.ReadTotalTimeoutConstant, t.WriteTotalTimeoutMultiplier,
                          t.WriteTotalTimeoutConstant) != 0) {
        return;
    }
    if (fSetDTRToFalseInOpenComPort && set_DTRState(false) != 0) return;
    if (fSetRTSToFalseInOpenComPort && set_RTSState(false) != 0) return;

    setCode(hasAfterConnect() && !runAfterConnect() ? -3 : 0);
}

void TRS232Connector::fillDCB() {
    fDCB.DCBlength = 28;
    fDCB.BaudRate = static_cast<std::uint32_t>(fBaudRate);
    // Raw binary: of bits 0 to 14 only binary mode and "continue after XOFF"
    // are set; the bits above keep what the port reported.
    fDCB.Flags = (fDCB.Flags & ~kDcbWrittenBits) | kDcbBinary | kDcbTxContinueOnXoff;
    fDCB.XonLim = kXonXoffLimit;
    fDCB.XoffLim = kXonXoffLimit;
    fDCB.ByteSize = fByteSize;
    fDCB.Parity = fParity;
    fDCB.StopBits = fStopBits;
    fDCB.XonChar = kXonChar;
    fDCB.XoffChar = kXoffChar;
}

void TRS232Connector::logDCBFailure(int error) const {
    const auto n = [](auto v) { return std::to_string(v); };
    const auto c = [](char v) { return std::string(1, v); };
    const TDCB& d = fDCB;
    const std::string lines[] = {
        "SetCommState[GetLastError] = " + n(error),
        "TBaseCommPort.Open : error setting DCB.",
        "DCB.DCBlength = " + n(d.DCBlength),
        "DCB.BaudRate = " + n(d.BaudRate),
        "DCB.Flags = " + n(d.Flags),
        "DCB.wReserved = " + n(d.wReserved),
        "DCB.XonLim = " + n(d.XonLim),
        "DCB.XoffLim = " + n(d.XoffLim),
        "DCB.ByteSize = " + n(d.ByteSize),
        "DCB.Parity = " + n(d.Parity),
        "DCB.StopBits = " + n(d.StopBits),
        "DCB.XonChar = " + c(d.XonChar),
        "DCB.XoffChar = " + c(d.XoffChar),
        "DCB.ErrorChar = " + c(d.ErrorChar),
        "DCB.EofChar = " + c(d.EofChar),
        "DCB.EvtChar = " + c(d.EvtChar),
        "DCB.wReserved1 = " + n(d.wReserved1),
    };
    for (const auto& line : lines) logFailure(line);
}

std::int32_t TRS232Connector::closeConnection() {
    // No owner check here: closing must work whatever else is missing.
    const auto report = [this](std::int32_t value) {
        if (fErrContainer != nullptr) setCode(value);
    };
    if (!Active()) {
        report(0);
        return -1;
    }
    if (fPortIO.close() != 0) {
        report(-4);
        return -1;
    }
    report(0);
    return 0;
}

std::int32_t TRS232Connector::clearIOBuffers() {
    if (const auto check = check_Components(); check != 0) return check;
    if (notOpen(-3)) return -3;
    if (fPortIO.purge() == 0) {
        setCode(0);
    } else {
        setCode(-10);
        logLastErrorMessage();
    }
    raiseOnFailure();
    return code();
}

std::size_t TRS232Connector::readAndRecord(std::uint8_t* buffer, std::size_t count) {
    int error = 0;
    const std::size_t n = fPortIO.read(buffer, count, error);
    if (n == count) {
        setCode(0);
        recordBytes(TDataDirection::fromDevice, buffer, n);
    } else {
        setCode(-10);
        if (error != 0) logLastErrorMessage();  // a time-out alone is not logged
    }
    return n;
}

bool TRS232Connector::readByte(std::uint8_t& b, std::uint32_t& bytesCount) {
    bytesCount = 0;
    if (check_Components() != 0) return false;
    if (notOpen(-10)) return false;
    bytesCount = static_cast<std::uint32_t>(readAndRecord(&b, 1));
    raiseOnFailure();
    return bytesCount == 1;
}

std::uint8_t TRS232Connector::readByte() {
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    return readByte(b, count) ? b : 0;
}

std::uint32_t TRS232Connector::readBuffer(std::uint8_t* buffer, std::uint32_t buffLength) {
    if (check_Components() != 0) return 0;
    if (notOpen(-10)) return 0;
    const auto n = static_cast<std::uint32_t>(readAndRecord(buffer, buffLength));
    raiseOnFailure();
    return n;
}

std::uint32_t TRS232Connector::writeBuffer(const std::uint8_t* buffer, std::uint32_t buffLength) {
    if (check_Components() != 0) return 0;
    if (notOpen(-10)) return 0;
    int error = 0;
    const auto n = static_cast<std::uint32_t>(fPortIO.write(buffer, buffLength, error));
    if (n == buffLength) {
        setCode(0);
        recordBytes(TDataDirection::toDevice, buffer, n);
    } else {
        setCode(-10);
        logLastErrorMessage();
    }
    fPortIO.drain();  // waits for the bytes to leave; a failure changes nothing
    raiseOnFailure();
    return n;
}

bool TRS232Connector::writeByte(std::uint8_t byteValue) {
    return writeBuffer(&byteValue, 1) == 1;
}

void TRS232Connector::init_TimeoutValues(std::uint32_t readIntervalTimeout,
                                         std::uint32_t readTotalTimeoutMultiplier,
                                         std::uint32_t readTotalTimeoutConstant,
                                         std::uint32_t writeTotalTimeoutMultiplier,
                                         std::uint32_t writeTotalTimeoutConstant) {
    fCommTimeouts = {readIntervalTimeout, readTotalTimeoutMultiplier, readTotalTimeoutConstant,
                     writeTotalTimeoutMultiplier, writeTotalTimeoutConstant};
}

std::int32_t TRS232Connector::set_TimeoutValues(std::uint32_t readIntervalTimeout,
                                                std::uint32_t readTotalTimeoutMultiplier,
                                                std::uint32_t readTotalTimeoutConstant,
                                                std::uint32_t writeTotalTimeoutMultiplier,
                                                std::uint32_t writeTotalTimeoutConstant) {
    if (check_Components() != 0) return -33019;
    init_TimeoutValues(readIntervalTimeout, readTotalTimeoutMultiplier, readTotalTimeoutConstant,
                       writeTotalTimeoutMultiplier, writeTotalTimeoutConstant);
    if (notOpen(-3)) return -3;
    fPortIO.setTimeouts(fCommTimeouts);
    setCode(0);
    return 0;
}

std::int32_t TRS232Connector::setModemLine(TModemLine line, bool newStateValue, bool& stateField) {
    if (check_Components() != 0) return -33019;
    if (notOpen(-3)) return -3;
    if (fPortIO.setModemLine(line, newStateValue) != 0) {
        setCode(-3);
        logLastErrorMessage();
        raiseOnFailure();
        return code();
    }
    stateField = newStateValue;
    setCode(0);
    return 0;
}

std::int32_t TRS232Connector::set_DTRState(bool newStateValue) {
    return setModemLine(TModemLine::DTR, newStateValue, fDTRState);
}

std::int32_t TRS232Connector::set_RTSState(bool newStateValue) {
    return setModemLine(TModemLine::RTS, newStateValue, fRTSState);
}

}  // namespace tessel
