#pragma once

#include <cstdint>

namespace tessel {

class TErrContainer;
class TFDMisc;
class TSniffer;

// The byte transport the packet exchange runs over: the serial and TCP/IP
// connectors, and scripted streams in tests. Every operation reports its
// outcome through the error container; in RaiseMode a failing operation
// raises ETesselError, which the exchange treats as "no byte yet".
class TConnector {
public:
    virtual ~TConnector() = default;

    virtual bool Active() const = 0;
    // 0 or an error code.
    virtual std::int32_t openConnection() = 0;
    // 0 closed, -1 not open or failed.
    virtual std::int32_t closeConnection() = 0;
    // 0 or an error code.
    virtual std::int32_t clearIOBuffers() = 0;
    // Number of bytes written.
    virtual std::uint32_t writeBuffer(const std::uint8_t* buffer, std::uint32_t buffLength) = 0;
    // True when one byte was read; waits at most the transport's read time-out.
    virtual bool readByte(std::uint8_t& b, std::uint32_t& bytesCount) = 0;

    // Per-byte deadline the exchange applies on top of the transport's own
    // read time-out.
    bool exitByTime() const { return fExitByTimeIsOn; }
    void setExitByTime(bool on) { fExitByTimeIsOn = on; }
    std::uint32_t exitByTimeValue() const { return fExitByTimeValue; }
    void setExitByTimeValue(std::uint32_t ms) { fExitByTimeValue = ms; }

    // The traffic recorder; may be null, and steps for it are skipped while it
    // is null or inactive. Not owned here: each connector owns its own.
    virtual TSniffer* Sniffer() const = 0;

    // Siblings the connector reports through (not owned; may be cleared).
    TErrContainer* errContainer() const { return fErrContainer; }
    void setErrContainer(TErrContainer* c) { fErrContainer = c; }
    TFDMisc* Misc() const { return fMisc; }
    void setMisc(TFDMisc* m) { fMisc = m; }

protected:
    bool fExitByTimeIsOn = true;
    std::uint32_t fExitByTimeValue = 1000;
    TErrContainer* fErrContainer = nullptr;
    TFDMisc* fMisc = nullptr;
};

}  // namespace tessel
