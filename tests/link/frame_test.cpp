#include "link/frame.h"

#include <gtest/gtest.h>

#include <array>

namespace tessel {
namespace {

Bytes request(TPacketFormat format, std::uint8_t seq, std::uint16_t command, const Bytes& data) {
    std::array<std::uint8_t, 512> out{};
    const auto n = frame::buildRequest(format, seq, command, data, out);
    return Bytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(n));
}

TEST(Frame, RequestsMatchTheRegisterReferenceFrames) {
    EXPECT_EQ(request(TPacketFormat::protocol_Type2, 0x20, 74, {}),
              (Bytes{0x01, 0x30, 0x30, 0x32, 0x3A, 0x20, 0x30, 0x30, 0x34, 0x3A, 0x05, 0x30, 0x31,
                     0x3B, 0x3F, 0x03}));
    EXPECT_EQ(request(TPacketFormat::protocol_Type2, 0x21, 90, {'#', '\t'}),
              (Bytes{0x01, 0x30, 0x30, 0x32, 0x3C, 0x21, 0x30, 0x30, 0x35, 0x3A, 0x23, 0x09, 0x05,
                     0x30, 0x31, 0x3E, 0x3F, 0x03}));
    EXPECT_EQ(request(TPacketFormat::protocol_Type1, 0x20, 74, {}),
              (Bytes{0x01, 0x24, 0x20, 0x4A, 0x05, 0x30, 0x30, 0x39, 0x33, 0x03}));
}

TEST(Frame, AnswerMatchesTheRegisterReferenceFrame) {
    const Bytes status(8, 0x80);
    EXPECT_EQ(
        frame::buildAnswer(TPacketFormat::protocol_Type2, 0x20, 74, Bytes{0x30, 0x09}, status),
        (Bytes{0x01, 0x30, 0x30, 0x33, 0x35, 0x20, 0x30, 0x30, 0x34, 0x3A, 0x30, 0x09, 0x04, 0x80,
               0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x05, 0x30, 0x35, 0x3F, 0x38, 0x03}));
}

TEST(Frame, EncodedWordRoundTripsAndDecodesUncheckedBytes) {
    for (unsigned v : {0u, 1u, 0x01BFu, 0xABCDu, 0xFFFFu}) {
        std::uint8_t w[4];
        frame::encodeWord(static_cast<std::uint16_t>(v), w);
        for (auto b : w) EXPECT_TRUE(b >= 0x30 && b <= 0x3F);
        EXPECT_EQ(frame::decodeWord(w), v);
    }
    // Bytes outside "0".."?" are not rejected: 0x40 counts as nibble 0x10.
    const std::uint8_t odd[4] = {0x30, 0x30, 0x30, 0x40};
    EXPECT_EQ(frame::decodeWord(odd), 0x10);
}

TEST(Frame, SequenceNumbersWrapPerVariant) {
    using enum TPacketFormat;
    EXPECT_EQ(frame::nextSeq(protocol_Type2, 0x20), 0x21);
    EXPECT_EQ(frame::nextSeq(protocol_Type2, 0x7F), 0x80);
    EXPECT_EQ(frame::nextSeq(protocol_Type2, 0xFF), 0x20);
    EXPECT_EQ(frame::nextSeq(protocol_Type1, 0x7F), 0x20);
    EXPECT_EQ(frame::expectedAnswerSeq(protocol_Type2, 0x21), 0x20);
    EXPECT_EQ(frame::expectedAnswerSeq(protocol_Type2, 0x20), 0xFF);
    EXPECT_EQ(frame::expectedAnswerSeq(protocol_Type1, 0x20), 0x7F);
}

TEST(Frame, DataLimitsFollowTheLengthField) {
    EXPECT_EQ(frame::maxRequestData(TPacketFormat::protocol_Type2), 65493u);
    EXPECT_EQ(frame::maxRequestData(TPacketFormat::protocol_Type1), 219u);
    Bytes big(65493, 'A');
    std::vector<std::uint8_t> out(frame::kBufferSize);
    const auto n = frame::buildRequest(TPacketFormat::protocol_Type2, 0x20, 107, big, out);
    EXPECT_EQ(n, frame::requestLayout(TPacketFormat::protocol_Type2, big.size()).total());
    EXPECT_EQ(frame::decodeWord(&out[1]), 0xFFFF);
}

}  // namespace
}  // namespace tessel
