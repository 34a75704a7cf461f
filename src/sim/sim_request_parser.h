#pragma once

// The register's side of the framing: collects request bytes as they come
// and reports each complete request, or a broken one the register answers
// with a NAK.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "link/protocol_types.h"
#include "util/bytes.h"

namespace tessel::sim {

struct Request {
    std::uint8_t seq = 0;
    std::uint16_t command = 0;
    Bytes data;
    Bytes raw;  // the whole frame, to recognise a host's retry
};

class RequestParser {
public:
    enum class Result { needMore, request, broken };

    explicit RequestParser(TPacketFormat format) : format_(format) {}

    // Feeds one byte. After `request` the frame is in request(); after
    // `broken` the frame was dropped and the parser waits for the next SOH.
    Result feed(std::uint8_t byte);
    // Drops a half-received frame (a silent host); true when there was one.
    bool abandon();
    bool inFrame() const { return stage_ != Stage::preamble; }

    const Request& request() const { return request_; }

private:
    enum class Stage { preamble, length, seq, command, data, postamble, bcc, terminator };

    Result fail();
    std::size_t fieldWidth() const;
    void enterData();

    TPacketFormat format_;
    Stage stage_ = Stage::preamble;
    Bytes field_;  // LEN, CMD or BCC being collected
    std::size_t dataLength_ = 0;
    std::uint16_t sum_ = 0;
    Request request_;
};

}  // namespace tessel::sim
