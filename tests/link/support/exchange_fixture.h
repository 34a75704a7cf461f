#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "errors/err_container.h"
#include "link/frame.h"
#include "link/packet_exchange.h"
#include "scripted_connector.h"
#include "util/fd_misc.h"
#include "util/scripted_presenter.h"

namespace tessel {

// One exchange over a scripted serial line, with the register model's
// settings (protocol_Type2) and time on the line's virtual clock.
class ExchangeTest : public testing::Test {
protected:
    ExchangeTest() {
        lowLevel.setProtocolType(TPacketFormat::protocol_Type2);
        exchange.setErrContainer(&errors);
        exchange.setMisc(&misc);
        exchange.setRS232(&line);
        exchange.setTickSource([this] { return line.now(); });
    }

    TPacketFormat format() const { return lowLevel.ProtocolType(); }

    // The register's answer to the request carrying seq and command; the
    // status bytes default to all clear.
    Bytes answer(std::uint8_t seq, std::uint16_t command, const Bytes& data = {},
                 std::optional<Bytes> status = std::nullopt) const {
        const Bytes s = status ? *status : Bytes(frame::statusByteCount(format()), 0);
        return frame::buildAnswer(format(), seq, command, data, s);
    }

    // A register that answers every request with its own SEQ and command.
    void answerEveryRequest(const Bytes& data = {}) {
        line.setResponder([this, data](ByteView request) {
            const bool wide = format() == TPacketFormat::protocol_Type2;
            const std::uint8_t seq = request[wide ? 5 : 2];
            const std::uint16_t command = wide ? frame::decodeWord(&request[6]) : request[3];
            return answer(seq, command, data);
        });
    }

    bool run(std::uint16_t command, const Bytes& data = {},
             TTextVariant variant = TTextVariant::tv_AsReceived) {
        return exchange.execute_Exchange(command, data, variant);
    }

    std::int32_t code() const { return errors.LastErrorCode(); }
    Bytes output() const { return exchange.AnsiTextOutput(); }

    TErrContainer errors;
    TFDMisc misc;
    TLowLevel lowLevel;
    ScriptedConnector line;
    TPacketExchange exchange{lowLevel};
};

}  // namespace tessel
