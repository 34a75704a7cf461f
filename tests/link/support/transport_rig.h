#pragma once

#include <string>

#include "connector_owner.h"
#include "link/low_level.h"
#include "link/packet_exchange.h"

namespace tessel::test {

// The exchange as the device component runs it over a real connector: the
// register model's protocol_Type2, RaiseMode on as the application leaves it,
// one attempt per command unless a test asks for more.
struct TransportRig {
    TransportRig(TConnector& connector, TCommunicationType type) : owner(connector, true) {
        lowLevel.setProtocolType(TPacketFormat::protocol_Type2);
        exchange.setErrContainer(&owner.errors);
        exchange.setMisc(&owner.misc);
        exchange.setRepeatCount(1);
        if (type == TCommunicationType::ct_RS232) {
            exchange.setRS232(&connector);
        } else {
            exchange.setTCPIP(&connector);
        }
        exchange.setCommunicationType(type);
    }

    bool run(std::uint16_t command, const std::string& data) {
        return exchange.execute_Exchange(command, Bytes(data.begin(), data.end()));
    }
    std::string output() const {
        const Bytes& out = exchange.AnsiTextOutput();
        return std::string(out.begin(), out.end());
    }
    std::int32_t code() const { return owner.errors.LastErrorCode(); }

    ConnectorOwner owner;
    TLowLevel lowLevel;
    TPacketExchange exchange{lowLevel};
};

}  // namespace tessel::test
