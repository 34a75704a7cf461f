#include <gtest/gtest.h>

#include <vector>

#include "support/exchange_fixture.h"

namespace tessel {
namespace {

TEST_F(ExchangeTest, ReferenceFramesEndToEnd) {
    // The register's own answer to command 74: data 30 09, every status byte 0x80.
    line.reply(Bytes{0x01, 0x30, 0x30, 0x33, 0x35, 0x20, 0x30, 0x30, 0x34,
                     0x3A, 0x30, 0x09, 0x04, 0x80, 0x80, 0x80, 0x80, 0x80,
                     0x80, 0x80, 0x80, 0x05, 0x30, 0x35, 0x3F, 0x38, 0x03});
    ASSERT_TRUE(run(74));
    EXPECT_EQ(code(), 0);
    EXPECT_EQ(line.writes().at(0), (Bytes{0x01, 0x30, 0x30, 0x32, 0x3A, 0x20, 0x30, 0x30, 0x34,
                                          0x3A, 0x05, 0x30, 0x31, 0x3B, 0x3F, 0x03}));
    EXPECT_EQ(output(), (Bytes{0x30, 0x09}));
    EXPECT_EQ(Bytes(exchange.answer().begin(), exchange.answer().end()), (Bytes{0x30, 0x09}));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(exchange.f_S(i), 0x80) << i;

    line.reply(answer(0x21, 90));
    ASSERT_TRUE(run(90, Bytes{'#', '\t'}));
    EXPECT_EQ(line.writes().at(1), (Bytes{0x01, 0x30, 0x30, 0x32, 0x3C, 0x21, 0x30, 0x30, 0x35,
                                          0x3A, 0x23, 0x09, 0x05, 0x30, 0x31, 0x3E, 0x3F, 0x03}));
}

TEST_F(ExchangeTest, ReferenceFrameOfTheNarrowVariant) {
    lowLevel.setProtocolType(TPacketFormat::protocol_Type1);
    line.reply(answer(0x20, 74, Bytes{'O', 'K'}));
    ASSERT_TRUE(run(74));
    EXPECT_EQ(line.writes().at(0),
              (Bytes{0x01, 0x24, 0x20, 0x4A, 0x05, 0x30, 0x30, 0x39, 0x33, 0x03}));
    EXPECT_EQ(output(), (Bytes{'O', 'K'}));
}

TEST_F(ExchangeTest, SequenceNumbersWrapPerVariant) {
    struct Case {
        TPacketFormat format;
        std::size_t seqOffset;
        int distinct;  // sequence numbers before the wrap
    } cases[] = {{TPacketFormat::protocol_Type2, 5, 0x100 - 0x20},
                 {TPacketFormat::protocol_Type1, 2, 0x80 - 0x20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.format));
        TLowLevel ll;
        ll.setProtocolType(c.format);
        ScriptedConnector wire;
        TPacketExchange x(ll);
        x.setErrContainer(&errors);
        x.setMisc(&misc);
        x.setRS232(&wire);
        wire.setResponder([&](ByteView request) {
            const bool wide = c.format == TPacketFormat::protocol_Type2;
            const std::uint16_t command = wide ? frame::decodeWord(&request[6]) : request[3];
            return frame::buildAnswer(c.format, request[c.seqOffset], command, {},
                                      Bytes(frame::statusByteCount(c.format), 0));
        });
        EXPECT_EQ(x.seqNumber(), 0x20);
        // Every answer echoes its request's SEQ, so each one across the wrap is accepted.
        for (int i = 0; i <= c.distinct; ++i) ASSERT_TRUE(x.execute_Exchange(74, {})) << i;
        const auto& w = wire.writes();
        EXPECT_EQ(w.front()[c.seqOffset], 0x20);
        EXPECT_EQ(w[c.distinct - 1][c.seqOffset],
                  c.format == TPacketFormat::protocol_Type2 ? 0xFF : 0x7F);
        EXPECT_EQ(w[c.distinct][c.seqOffset], 0x20);
    }
}

TEST_F(ExchangeTest, RetryResendsTheIdenticalRequest) {
    line.reply(Bytes{frame::kNak}).reply(answer(0x20, 107, Bytes{'0'}));
    std::vector<std::uint8_t> waits;
    exchange.OnWait = [&](TPacketExchange&, std::uint8_t m) { waits.push_back(m); };
    ASSERT_TRUE(run(107, Bytes{'R', '\t', '1', '\t'}));
    ASSERT_EQ(line.writes().size(), 2u);
    EXPECT_EQ(line.writes()[0], line.writes()[1]);
    EXPECT_EQ(waits, std::vector<std::uint8_t>{frame::kNak});
    EXPECT_EQ(exchange.seqNumber(), 0x21);
}

TEST_F(ExchangeTest, NakEndsTheAttemptAtOnce) {
    // The valid answer behind the NAK is never read: the attempt is over.
    exchange.setRepeatCount(1);
    Bytes bytes{frame::kNak};
    const Bytes good = answer(0x20, 74);
    bytes.insert(bytes.end(), good.begin(), good.end());
    line.reply(bytes);
    EXPECT_FALSE(run(74));
    EXPECT_EQ(code(), -33028);
    EXPECT_TRUE(output().empty());
}

TEST_F(ExchangeTest, SynKeepsTheWaitAliveAndASilentGapEndsIt) {
    struct Case {
        std::uint32_t synGapMs;
        bool ok;
        std::int32_t code;
    } cases[] = {{800, true, 0}, {1200, false, -6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.synGapMs);
        ScriptedConnector::Reply reply;
        for (int i = 0; i < 30; ++i) reply.push_back({Bytes{frame::kSyn}, c.synGapMs});
        reply.push_back({answer(exchange.seqNumber(), 74), c.synGapMs});
        line.reply(reply);
        exchange.setRepeatCount(1);
        int syns = 0;
        exchange.OnWait = [&](TPacketExchange&, std::uint8_t m) { syns += m == frame::kSyn; };
        EXPECT_EQ(run(74), c.ok);
        EXPECT_EQ(code(), c.code);
        EXPECT_EQ(syns, c.ok ? 30 : 0);
    }
}

TEST_F(ExchangeTest, ForeignBytesBeforeTheAnswerStart) {
    struct Case {
        int foreign;
        int syns;
        bool ok;
        std::int32_t code;
    } cases[] = {{27999, 0, true, 0}, {28000, 0, false, -33002}, {27999, 40, true, 0}};
    exchange.setRepeatCount(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.foreign);
        Bytes bytes(static_cast<std::size_t>(c.foreign), 'x');
        bytes.insert(bytes.begin() + 100, static_cast<std::size_t>(c.syns), frame::kSyn);
        const Bytes good = answer(exchange.seqNumber(), 74);
        bytes.insert(bytes.end(), good.begin(), good.end());
        line.reply(bytes);
        EXPECT_EQ(run(74), c.ok);
        EXPECT_EQ(code(), c.code);
    }
}

TEST_F(ExchangeTest, EmptyDataFieldSucceedsWithEmptyText) {
    const Bytes frameBytes = answer(0x20, 74);
    EXPECT_EQ(frame::decodeWord(&frameBytes[1]), 0x33);
    line.reply(frameBytes);
    ASSERT_TRUE(run(74));
    EXPECT_EQ(code(), 0);
    EXPECT_TRUE(output().empty());
    EXPECT_TRUE(exchange.answer().empty());
}

// Positions in a Type2 answer with two data bytes.
constexpr std::size_t kSeqAt = 5, kCmdAt = 9, kSeparatorAt = 12, kPostambleAt = 21, kBccAt = 25,
                      kTerminatorAt = 26;

// A malformed answer has no code of its own; the failed command then carries
// -33028 so that no caller reads it as a success.
TEST_F(ExchangeTest, MalformedAnswersFailWithTheProtocolCode) {
    struct Case {
        const char* name;
        std::size_t at;
        int delta;
    } cases[] = {
        {"checksum one more", kBccAt, +1}, {"checksum one less", kBccAt, -1},
        {"previous SEQ", kSeqAt, -1},      {"other command", kCmdAt, +1},
        {"separator", kSeparatorAt, +1},   {"postamble", kPostambleAt, +1},
        {"terminator", kTerminatorAt, +1},
    };
    exchange.setRepeatCount(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = answer(exchange.seqNumber(), 74, Bytes{'4', '2'});
        bytes[c.at] = static_cast<std::uint8_t>(bytes[c.at] + c.delta);
        line.reply(bytes);
        EXPECT_FALSE(run(74));
        EXPECT_EQ(code(), -33028);
        EXPECT_TRUE(output().empty());
    }
    // The same frame untouched is accepted, so the checksum leaves out BCC and terminator.
    line.reply(answer(exchange.seqNumber(), 74, Bytes{'4', '2'}));
    EXPECT_TRUE(run(74));
}

TEST_F(ExchangeTest, StatusBlockLengthFollowsTheVariant) {
    struct Case {
        TPacketFormat format;
        std::size_t statusBytes;
        bool ok;
    } cases[] = {
        {TPacketFormat::protocol_Type2, 8, true},
        {TPacketFormat::protocol_Type1, 6, true},
        {TPacketFormat::protocol_Type1, 8, false},
        {TPacketFormat::protocol_Type2, 6, false},
    };
    exchange.setRepeatCount(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.format) << " with " << c.statusBytes);
        lowLevel.setProtocolType(c.format);
        // Built by hand: the codec only builds well-formed answers.
        const bool wide = c.format == TPacketFormat::protocol_Type2;
        Bytes bytes{frame::kPreamble};
        std::uint8_t word[4];
        const auto len = static_cast<std::uint16_t>(0x20 + (wide ? 11 : 5) + c.statusBytes);
        if (wide) {
            frame::encodeWord(len, word);
            bytes.insert(bytes.end(), word, word + 4);
            bytes.push_back(exchange.seqNumber());
            frame::encodeWord(74, word);
            bytes.insert(bytes.end(), word, word + 4);
        } else {
            bytes.insert(bytes.end(), {static_cast<std::uint8_t>(len), exchange.seqNumber(), 74});
        }
        bytes.push_back(frame::kSeparator);
        for (std::size_t i = 0; i < c.statusBytes; ++i)
            bytes.push_back(static_cast<std::uint8_t>(0x80 + i));
        bytes.push_back(frame::kPostamble);
        frame::encodeWord(frame::calculateBcc(ByteView(bytes).subspan(1)), word);
        bytes.insert(bytes.end(), word, word + 4);
        bytes.push_back(frame::kTerminator);
        line.reply(bytes);

        EXPECT_EQ(run(74), c.ok);
        if (c.ok) {
            for (std::size_t i = 0; i < c.statusBytes; ++i)
                EXPECT_EQ(exchange.f_S(int(i)), 0x80 + i);
        }
    }
}

TEST_F(ExchangeTest, SilentRegisterTimesOutOnThePerByteDeadline) {
    struct Case {
        const char* name;
        bool exitByTime;
        bool midAnswer;
        std::uint64_t givenUpAfterMs;
    } cases[] = {
        {"no answer", true, false, 1000},
        {"answer stops half way", true, true, 1000},
        {"no deadline of its own", false, false, 60000},
    };
    exchange.setRepeatCount(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        line.setExitByTime(c.exitByTime);
        const Bytes full = answer(exchange.seqNumber(), 74, Bytes{'1', '2', '3'});
        if (c.midAnswer) {
            line.reply(Bytes(full.begin(), full.begin() + 12));
        } else {
            line.silence();
        }
        const std::uint64_t before = line.now();
        const int clearsBefore = line.clearCount();
        EXPECT_FALSE(run(74));
        EXPECT_EQ(code(), -6);
        EXPECT_TRUE(exchange.hardExitByTime());
        EXPECT_TRUE(output().empty());
        // The parser clears the buffers itself before the release step does.
        EXPECT_EQ(line.clearCount() - clearsBefore, 3);
        EXPECT_GE(line.now() - before, c.givenUpAfterMs);
        EXPECT_LT(line.now() - before, c.givenUpAfterMs + 2 * line.readTimeout());
    }
}

TEST_F(ExchangeTest, OversizedRequestIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        TPacketFormat format;
        std::size_t size;
        bool accepted;
    } cases[] = {
        {TPacketFormat::protocol_Type2, 65493, true},
        {TPacketFormat::protocol_Type2, 65494, false},
        {TPacketFormat::protocol_Type1, 219, true},
        {TPacketFormat::protocol_Type1, 220, false},
    };
    exchange.setRepeatCount(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.format) << " " << c.size);
        lowLevel.setProtocolType(c.format);
        line.silence();
        const std::size_t writesBefore = line.writes().size();
        const std::uint8_t seqBefore = exchange.seqNumber();
        run(107, Bytes(c.size, 'A'));
        if (c.accepted) {
            ASSERT_EQ(line.writes().size(), writesBefore + 1);
            EXPECT_EQ(line.writes().back().size(), frame::requestLayout(c.format, c.size).total());
        } else {
            EXPECT_EQ(code(), -9);
            EXPECT_EQ(line.writes().size(), writesBefore);
            EXPECT_EQ(exchange.seqNumber(), seqBefore);
        }
    }
}

TEST_F(ExchangeTest, LargeAnswerIsReadWhole) {
    Bytes data(60000);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    line.reply(answer(0x20, 125, data));
    ASSERT_TRUE(run(125, Bytes(60000, 'q')));
    EXPECT_EQ(output(), data);
}

TEST_F(ExchangeTest, Cp1251VariantKeepsTheTextApart) {
    const Bytes text{0xC0, 0xE1, '\t', 0xD0};  // "Аб\tР" in code page 1251
    line.reply(answer(0x20, 90, text));
    ASSERT_TRUE(run(90, {}, TTextVariant::tv_cp1251));
    EXPECT_EQ(exchange.AnsiTextOutput_cp1251(), text);
    EXPECT_EQ(exchange.text_Output_1251(), "\u0410\u0431\t\u0420");
    EXPECT_TRUE(output().empty());

    // The other variant keeps the bytes for the device code page.
    exchange.setCodePage(1250);
    line.reply(answer(0x21, 90, Bytes{0x8A, 'x'}));
    ASSERT_TRUE(run(90));
    EXPECT_EQ(exchange.text_Output(), "\u0160x");
    EXPECT_TRUE(exchange.AnsiTextOutput_cp1251().empty());
    exchange.setMisc(nullptr);
    EXPECT_EQ(exchange.text_Output(), "");
}

}  // namespace
}  // namespace tessel
