// The simulator's request parser on arbitrary bytes: every request it reports
// has the size its LEN gives, and a well-formed request built from the same
// input parses back field for field, completing exactly at its last byte.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.h"
#include "link/frame.h"
#include "sim/sim_request_parser.h"

using namespace tessel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const TPacketFormat format =
        (data[0] & 1) ? TPacketFormat::protocol_Type1 : TPacketFormat::protocol_Type2;
    const ByteView rest(data + 1, size - 1);

    sim::RequestParser parser(format);
    for (const std::uint8_t b : rest) {
        if (parser.feed(b) != sim::RequestParser::Result::request) continue;
        const sim::Request& r = parser.request();
        FUZZ_CHECK(r.data.size() <= frame::maxRequestData(format));
        FUZZ_CHECK(r.raw.size() == frame::requestLayout(format, r.data.size()).total());
    }

    const bool wide = format == TPacketFormat::protocol_Type2;
    std::uint8_t seq = static_cast<std::uint8_t>(frame::kFirstSeq + data[1] % 0x60);
    const std::uint16_t command =
        wide ? static_cast<std::uint16_t>(data[1] << 8 | data[2]) : data[2];
    const std::size_t length = std::min<std::size_t>(size - 3, frame::maxRequestData(format));
    const Bytes payload(data + 3, data + 3 + length);
    Bytes request(frame::requestLayout(format, payload.size()).total());
    frame::buildRequest(format, seq, command, payload, request);

    sim::RequestParser fresh(format);
    for (std::size_t i = 0; i < request.size(); ++i) {
        const auto result = fresh.feed(request[i]);
        FUZZ_CHECK(result != sim::RequestParser::Result::broken);
        FUZZ_CHECK((result == sim::RequestParser::Result::request) == (i + 1 == request.size()));
    }
    FUZZ_CHECK(fresh.request().seq == seq);
    FUZZ_CHECK(fresh.request().command == command);
    FUZZ_CHECK(fresh.request().data == payload);
    FUZZ_CHECK(fresh.request().raw == request);
    return 0;
}
