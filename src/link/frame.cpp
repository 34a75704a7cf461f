#include "link/frame.h"

#include <cassert>

namespace tessel::frame {

namespace {

// LEN of a Type2 request counts LEN, SEQ, CMD and the postamble: 4 + 1 + 4 + 1.
constexpr std::size_t kRequestOverheadType2 = 10;
// Type1: one byte each for LEN, SEQ, CMD and the postamble.
constexpr std::size_t kRequestOverheadType1 = 4;
// Answer LEN adds the separator and the status bytes: 4 + 1 + 4 + 1 + 8 + 1.
constexpr std::size_t kAnswerOverheadType2 = 19;
constexpr std::size_t kAnswerOverheadType1 = 11;

bool isType2(TPacketFormat format) { return format == TPacketFormat::protocol_Type2; }

}  // namespace

void encodeWord(std::uint16_t value, std::uint8_t* out) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<std::uint8_t>(0x30 + ((value >> (12 - 4 * i)) & 0x0F));
    }
}

std::uint16_t decodeWord(const std::uint8_t* in) {
    std::uint16_t value = 0;
    for (int i = 0; i < 3; ++i) {
        value = static_cast<std::uint16_t>((value + static_cast<std::uint8_t>(in[i] - 0x30)) * 16);
    }
    return static_cast<std::uint16_t>(value + static_cast<std::uint8_t>(in[3] - 0x30));
}

std::uint16_t calculateBcc(ByteView bytes) {
    std::uint16_t sum = 0;
    for (std::uint8_t b : bytes) sum = static_cast<std::uint16_t>(sum + b);
    return sum;
}

std::size_t statusByteCount(TPacketFormat format) { return isType2(format) ? 8 : 6; }

std::size_t maxRequestData(TPacketFormat format) {
    return isType2(format) ? 0xFFFF - kLengthOffset - kRequestOverheadType2
                           : 0xFF - kLengthOffset - kRequestOverheadType1;
}

RequestLayout requestLayout(TPacketFormat format, std::size_t dataLength) {
    const std::size_t field = isType2(format) ? kWordSize : 1;
    return {1 + field + 1 + field, dataLength, 1 + kWordSize + 1};
}

std::size_t buildRequest(TPacketFormat format, std::uint8_t seq, std::uint16_t command,
                         ByteView data, std::span<std::uint8_t> out) {
    assert(data.size() <= maxRequestData(format));
    assert(out.size() >= requestLayout(format, data.size()).total());
    std::size_t pos = 0;
    out[pos++] = kPreamble;
    if (isType2(format)) {
        encodeWord(static_cast<std::uint16_t>(kLengthOffset + kRequestOverheadType2 + data.size()),
                   &out[pos]);
        pos += kWordSize;
        out[pos++] = seq;
        encodeWord(command, &out[pos]);
        pos += kWordSize;
    } else {
        out[pos++] = static_cast<std::uint8_t>(kLengthOffset + kRequestOverheadType1 + data.size());
        out[pos++] = seq;
        out[pos++] = static_cast<std::uint8_t>(command);
    }
    for (std::uint8_t b : data) out[pos++] = b;
    out[pos++] = kPostamble;
    encodeWord(calculateBcc(ByteView(out.data() + 1, pos - 1)), &out[pos]);
    pos += kWordSize;
    out[pos++] = kTerminator;
    return pos;
}

Bytes buildAnswer(TPacketFormat format, std::uint8_t seq, std::uint16_t command, ByteView data,
                  ByteView status) {
    assert(status.size() == statusByteCount(format));
    Bytes out;
    out.reserve(data.size() + 32);
    out.push_back(kPreamble);
    std::uint8_t word[kWordSize];
    auto putWord = [&](std::uint16_t v) {
        encodeWord(v, word);
        out.insert(out.end(), word, word + kWordSize);
    };
    if (isType2(format)) {
        putWord(static_cast<std::uint16_t>(kLengthOffset + kAnswerOverheadType2 + data.size()));
        out.push_back(seq);
        putWord(command);
    } else {
        out.push_back(static_cast<std::uint8_t>(kLengthOffset + kAnswerOverheadType1 + data.size()));
        out.push_back(seq);
        out.push_back(static_cast<std::uint8_t>(command));
    }
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(kSeparator);
    out.insert(out.end(), status.begin(), status.end());
    out.push_back(kPostamble);
    putWord(calculateBcc(ByteView(out.data() + 1, out.size() - 1)));
    out.push_back(kTerminator);
    return out;
}

std::uint8_t nextSeq(TPacketFormat format, std::uint8_t seq) {
    if (isType2(format)) return seq == 0xFF ? kFirstSeq : static_cast<std::uint8_t>(seq + 1);
    const int next = seq + 1;
    return next > 0x7F ? kFirstSeq : static_cast<std::uint8_t>(next);
}

std::uint8_t expectedAnswerSeq(TPacketFormat format, std::uint8_t seqAfterBuild) {
    const int prev = seqAfterBuild - 1;
    if (prev < kFirstSeq) return isType2(format) ? 0xFF : 0x7F;
    return static_cast<std::uint8_t>(prev);
}

}  // namespace tessel::frame
