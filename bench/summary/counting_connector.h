#pragma once

#include <cstdint>

#include "link/connector.h"

namespace tessel::bench {

// Passes every operation to the real transport and counts the bytes that
// actually crossed it, so a figure can be set against the wire's own limit.
class CountingConnector : public TConnector {
public:
    explicit CountingConnector(TConnector& inner) : fInner(inner) {
        fExitByTimeIsOn = inner.exitByTime();
        fExitByTimeValue = inner.exitByTimeValue();
    }

    bool Active() const override { return fInner.Active(); }
    std::int32_t openConnection() override { return fInner.openConnection(); }
    std::int32_t closeConnection() override { return fInner.closeConnection(); }
    std::int32_t clearIOBuffers() override { return fInner.clearIOBuffers(); }
    std::uint32_t writeBuffer(const std::uint8_t* buffer, std::uint32_t length) override {
        const std::uint32_t n = fInner.writeBuffer(buffer, length);
        fWritten += n;
        return n;
    }
    bool readByte(std::uint8_t& b, std::uint32_t& count) override {
        const bool got = fInner.readByte(b, count);
        fRead += count;
        return got;
    }
    TSniffer* Sniffer() const override { return fInner.Sniffer(); }

    std::uint64_t bytesWritten() const { return fWritten; }
    std::uint64_t bytesRead() const { return fRead; }

private:
    TConnector& fInner;
    std::uint64_t fWritten = 0;
    std::uint64_t fRead = 0;
};

}  // namespace tessel::bench
