#pragma once

// What the serial and TCP/IP connectors share: their own sniffer, the owner
// check, reporting through the error container (raising in RaiseMode), the
// failure lines of the sniffer log and the hex record of the bytes moved.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/connector.h"
#include "link/sniffer.h"

namespace tessel {

class TTransportBase : public TConnector {
public:
    TTransportBase();
    ~TTransportBase() override;

    TSniffer* Sniffer() const override { return fSniffer; }
    // Replaces the reference; the connector's own sniffer stays alive with it.
    void setSniffer(TSniffer* sniffer) { fSniffer = sniffer; }

    // The identification read that follows a successful opening; answers
    // whether it succeeded. Not set: skipped, as when the device description
    // does not ask for it.
    void setAfterConnect(std::function<bool()> readIdentification) {
        fAfterConnect = std::move(readIdentification);
    }

protected:
    // 0, or -33017 (no error container) / -33016 (no utility component).
    std::int32_t check_Components() const;

    // Operations report their outcome once, when it is known: a byte that
    // was read is never first reported as an input/output error, so an error
    // log that records every non-zero code holds only real failures.
    std::int32_t code() const;
    void setCode(std::int32_t value) const;
    // Raises ETesselError with LastErrorMessage when the code is not 0 and
    // the container is in RaiseMode.
    void raiseOnFailure() const;
    // A failure line in the sniffer log, written whenever the sniffer logs to
    // a file, active or not.
    void logFailure(const std::string& text) const;
    void logLastErrorMessage() const;
    // Appends the bytes to the sniffer's hex value of that direction while
    // the sniffer is active and the utility component is there.
    void recordBytes(TDataDirection direction, const std::uint8_t* bytes, std::size_t count) const;

    bool hasAfterConnect() const { return static_cast<bool>(fAfterConnect); }
    bool runAfterConnect() const { return fAfterConnect(); }

private:
    std::unique_ptr<TSniffer> fOwnSniffer;
    TSniffer* fSniffer;
    std::function<bool()> fAfterConnect;
};

}  // namespace tessel
