#pragma once

// The frame codec: pure functions on bytes, shared by the exchange and the
// register simulator.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/protocol_types.h"
#include "util/bytes.h"

namespace tessel::frame {

constexpr std::uint8_t kPreamble = 0x01;    // SOH, first byte of every frame
constexpr std::uint8_t kTerminator = 0x03;  // last byte of every frame
constexpr std::uint8_t kSeparator = 0x04;   // answer: between data and status
constexpr std::uint8_t kPostamble = 0x05;   // after data (request) or status (answer)
constexpr std::uint8_t kNak = 0x15;         // register rejected the request
constexpr std::uint8_t kSyn = 0x16;         // register still working
constexpr std::uint8_t kLengthOffset = 0x20;
constexpr std::uint8_t kFirstSeq = 0x20;
constexpr std::size_t kWordSize = 4;
constexpr std::size_t kBufferSize = 65536;

// A 16-bit value as four bytes 0x30 + nibble, most significant nibble first.
void encodeWord(std::uint16_t value, std::uint8_t* out);
// The inverse; the bytes are deliberately not range-checked, as the register does.
std::uint16_t decodeWord(const std::uint8_t* in);

// 16-bit sum (modulo 65,536) of the bytes.
std::uint16_t calculateBcc(ByteView bytes);

std::size_t statusByteCount(TPacketFormat format);
// Largest data field a request of this variant can carry (65,493 or 219).
std::size_t maxRequestData(TPacketFormat format);

// Sizes of the three parts of a request: header (preamble, LEN, SEQ, CMD),
// data, footer (postamble, BCC, terminator).
struct RequestLayout {
    std::size_t header;
    std::size_t data;
    std::size_t footer;
    std::size_t total() const { return header + data + footer; }
};
RequestLayout requestLayout(TPacketFormat format, std::size_t dataLength);

// Writes a request into out, which must hold requestLayout(...).total() bytes
// and data must not exceed maxRequestData. Returns the number of bytes written.
std::size_t buildRequest(TPacketFormat format, std::uint8_t seq, std::uint16_t command,
                         ByteView data, std::span<std::uint8_t> out);

// The register's answer frame; status holds 8 (Type2) or 6 (Type1) bytes.
Bytes buildAnswer(TPacketFormat format, std::uint8_t seq, std::uint16_t command, ByteView data,
                  ByteView status);

// Sequence number that follows seq: Type2 wraps 0xFF -> 0x20, Type1 0x7F -> 0x20.
std::uint8_t nextSeq(TPacketFormat format, std::uint8_t seq);
// SEQ the answer must carry, given the sequence number after the request was built.
std::uint8_t expectedAnswerSeq(TPacketFormat format, std::uint8_t seqAfterBuild);

}  // namespace tessel::frame
