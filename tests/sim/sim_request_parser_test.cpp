#include "sim/sim_request_parser.h"

#include <gtest/gtest.h>

namespace tessel::sim {
namespace {

using Result = RequestParser::Result;

// Feeds every byte; the results that are not needMore, in order.
std::vector<Result> feedAll(RequestParser& parser, const Bytes& bytes) {
    std::vector<Result> results;
    for (std::uint8_t b : bytes) {
        const Result r = parser.feed(b);
        if (r != Result::needMore) results.push_back(r);
    }
    return results;
}

const Bytes kStatusType2{0x01, 0x30, 0x30, 0x32, 0x3A, 0x20, 0x30, 0x30,
                         0x34, 0x3A, 0x05, 0x30, 0x31, 0x3B, 0x3F, 0x03};
const Bytes kIdentType2{0x01, 0x30, 0x30, 0x32, 0x3C, 0x21, 0x30, 0x30, 0x35,
                        0x3A, 0x23, 0x09, 0x05, 0x30, 0x31, 0x3E, 0x3F, 0x03};
const Bytes kStatusType1{0x01, 0x24, 0x20, 0x4A, 0x05, 0x30, 0x30, 0x39, 0x33, 0x03};

TEST(SimRequestParser, ReadsTheReferenceRequestsOfBothVariants) {
    struct Case {
        TPacketFormat format;
        Bytes frame;
        std::uint8_t seq;
        std::uint16_t command;
        Bytes data;
    };
    const Case cases[] = {
        {TPacketFormat::protocol_Type2, kStatusType2, 0x20, 74, {}},
        {TPacketFormat::protocol_Type2, kIdentType2, 0x21, 90, {'#', '\t'}},
        {TPacketFormat::protocol_Type1, kStatusType1, 0x20, 74, {}},
    };
    for (const Case& c : cases) {
        RequestParser parser(c.format);
        ASSERT_EQ(feedAll(parser, c.frame), std::vector<Result>{Result::request});
        EXPECT_EQ(parser.request().seq, c.seq);
        EXPECT_EQ(parser.request().command, c.command);
        EXPECT_EQ(parser.request().data, c.data);
        EXPECT_EQ(parser.request().raw, c.frame);
        EXPECT_FALSE(parser.inFrame());
    }
}

TEST(SimRequestParser, SkipsNoiseBeforeTheFrameAndReadsBackToBackFrames) {
    RequestParser parser(TPacketFormat::protocol_Type2);
    Bytes stream{0x16, 0x00, 0x41};
    stream.insert(stream.end(), kStatusType2.begin(), kStatusType2.end());
    stream.insert(stream.end(), kIdentType2.begin(), kIdentType2.end());
    EXPECT_EQ(feedAll(parser, stream), (std::vector<Result>{Result::request, Result::request}));
    EXPECT_EQ(parser.request().command, 90);
}

TEST(SimRequestParser, RefusesBrokenFramesAndRecoversAtTheNextOne) {
    auto withByte = [](Bytes frame, std::size_t index, std::uint8_t value) {
        frame[index] = value;
        return frame;
    };
    const Bytes broken[] = {
        withByte(kIdentType2, 14, 0x3F),  // checksum one higher
        withByte(kIdentType2, 4, 0x3B),   // LEN one short: data byte where the postamble goes
        withByte(kIdentType2, 12, 0x06),  // postamble
        withByte(kIdentType2, 17, 0x04),  // terminator
        withByte(kStatusType2, 4, 0x39),  // LEN below the fixed part
    };
    for (const Bytes& frame : broken) {
        RequestParser parser(TPacketFormat::protocol_Type2);
        Bytes stream = frame;
        stream.insert(stream.end(), kStatusType2.begin(), kStatusType2.end());
        const auto results = feedAll(parser, stream);
        ASSERT_FALSE(results.empty());
        EXPECT_EQ(results.front(), Result::broken);
        EXPECT_EQ(results.back(), Result::request);
        EXPECT_EQ(parser.request().command, 74);
    }
}

TEST(SimRequestParser, AbandonReportsOnlyAHalfReceivedFrame) {
    RequestParser parser(TPacketFormat::protocol_Type2);
    EXPECT_FALSE(parser.abandon());
    feedAll(parser, Bytes(kIdentType2.begin(), kIdentType2.begin() + 7));
    EXPECT_TRUE(parser.inFrame());
    EXPECT_TRUE(parser.abandon());
    EXPECT_EQ(feedAll(parser, kStatusType2), std::vector<Result>{Result::request});
}

}  // namespace
}  // namespace tessel::sim
