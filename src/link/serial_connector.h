#pragma once

// TRS232Connector: the packet protocol's bytes over a serial port.

#include <cstdint>
#include <string>

#include "link/posix_serial_port.h"
#include "link/serial_settings.h"
#include "link/transport_base.h"

namespace tessel {

class TRS232Connector : public TTransportBase {
public:
    TRS232Connector();
    // Closes the port when it is open.
    ~TRS232Connector() override;

    // Copies the line settings, the port, the per-byte deadline and the
    // sniffer reference.
    void Assign(const TRS232Connector& source);

    bool Active() const override { return fPortIO.isOpen(); }
    std::int32_t openConnection() override;
    std::int32_t closeConnection() override;
    std::int32_t clearIOBuffers() override;
    std::uint32_t writeBuffer(const std::uint8_t* buffer, std::uint32_t buffLength) override;
    bool readByte(std::uint8_t& b, std::uint32_t& bytesCount) override;

    // Called between the slices of every wait for the line (see wait_hook.h).
    void setWaitHook(TWaitHook hook) { fPortIO.setWaitHook(std::move(hook)); }

    // Not used by the protocol.
    std::uint8_t readByte();
    std::uint32_t readBuffer(std::uint8_t* buffer, std::uint32_t buffLength);
    bool writeByte(std::uint8_t byteValue);

    // Stores the five values and applies them to the open port.
    std::int32_t set_TimeoutValues(std::uint32_t readIntervalTimeout,
                                   std::uint32_t readTotalTimeoutMultiplier,
                                   std::uint32_t readTotalTimeoutConstant,
                                   std::uint32_t writeTotalTimeoutMultiplier,
                                   std::uint32_t writeTotalTimeoutConstant);
    // Stores the five values for the next opening only.
    void init_TimeoutValues(std::uint32_t readIntervalTimeout,
                            std::uint32_t readTotalTimeoutMultiplier,
                            std::uint32_t readTotalTimeoutConstant,
                            std::uint32_t writeTotalTimeoutMultiplier,
                            std::uint32_t writeTotalTimeoutConstant);
    std::int32_t set_DTRState(bool newStateValue);
    std::int32_t set_RTSState(bool newStateValue);

    std::int32_t baudRate() const { return fBaudRate; }
    void setBaudRate(std::int32_t v) { fBaudRate = v; }
    // Port n of COM n; opens /dev/ttyS<n-1> unless portName names a device.
    std::int32_t port() const { return fPort; }
    void setPort(std::int32_t v) { fPort = v; }
    const std::string& portName() const { return fPortName; }
    void setPortName(const std::string& v) { fPortName = v; }
    // The device path the next opening uses.
    std::string devicePath() const;
    std::uint8_t byteSize() const { return fByteSize; }
    void setByteSize(std::uint8_t v) { fByteSize = v; }
    std::uint8_t parity() const { return fParity; }
    void setParity(std::uint8_t v) { fParity = v; }
    std::uint8_t stopBits() const { return fStopBits; }
    void setStopBits(std::uint8_t v) { fStopBits = v; }

    bool setDCBInOpenMethod() const { return fSetDCBInOpenMethod; }
    void setSetDCBInOpenMethod(bool v) { fSetDCBInOpenMethod = v; }
    bool setDTRToFalseInOpenComPort() const { return fSetDTRToFalseInOpenComPort; }
    void setSetDTRToFalseInOpenComPort(bool v) { fSetDTRToFalseInOpenComPort = v; }
    bool setRTSToFalseInOpenComPort() const { return fSetRTSToFalseInOpenComPort; }
    void setSetRTSToFalseInOpenComPort(bool v) { fSetRTSToFalseInOpenComPort = v; }
    const TCommTimeouts& commTimeouts() const { return fCommTimeouts; }
    void setCommTimeouts(const TCommTimeouts& v) { fCommTimeouts = v; }
    // The open port's descriptor, -1 when closed.
    int handle() const { return fPortIO.fd(); }
    bool dtr_State() const { return fDTRState; }
    bool rts_State() const { return fRTSState; }

private:
    // The not-open rule: true when the port is closed, after reporting
    // failureCode, logging it and, in RaiseMode, raising.
    bool notOpen(std::int32_t failureCode) const;
    // Opening after the owner check; leaves the outcome in the container.
    void openSteps();
    void fillDCB();
    void logDCBFailure(int error) const;
    std::int32_t setModemLine(TModemLine line, bool newStateValue, bool& stateField);
    std::size_t readAndRecord(std::uint8_t* buffer, std::size_t count);

    TPosixSerialPort fPortIO;
    TCommTimeouts fCommTimeouts;
    TDCB fDCB;
    std::uint8_t fStopBits = 0;
    std::uint8_t fParity = 0;
    std::uint8_t fByteSize = 8;
    std::int32_t fPort = 1;
    std::string fPortName;
    std::int32_t fBaudRate = 115200;
    bool fDTRState = false;
    bool fRTSState = false;
    bool fSetDCBInOpenMethod = true;
    bool fSetDTRToFalseInOpenComPort = true;
    bool fSetRTSToFalseInOpenComPort = true;
};

}  // namespace tessel
