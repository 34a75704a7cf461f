#include <gtest/gtest.h>

#include "link/status_model_table.h"
#include "support/exchange_fixture.h"

namespace tessel {
namespace {

Bytes statusWith(std::size_t count, std::size_t byteIndex, std::uint8_t value) {
    Bytes s(count, 0);
    s[byteIndex] = value;
    return s;
}

TEST_F(ExchangeTest, StatusCommandIsExemptFromTheStatusCheck) {
    set_sByteErrors(lowLevel, 0);  // byte 0 bit 6, "Cover is open", is an end-user error
    struct Case {
        std::uint16_t command;
        TErrorChecking checking;
        bool ok;
        std::int32_t code;
        std::size_t writes;
    } cases[] = {
        {74, TErrorChecking::ccEndUser, true, 0, 1},
        {90, TErrorChecking::ccEndUser, false, -23, 2},
        {90, TErrorChecking::ccProduction, true, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.command << " case " << int(c.checking));
        lowLevel.setErrorCheckType(c.checking);
        answerEveryRequest();
        line.setResponder([this, c](ByteView request) {
            return answer(request[5], c.command, Bytes{'0'}, statusWith(8, 0, 0x40));
        });
        const std::size_t before = line.writes().size();
        EXPECT_EQ(run(c.command), c.ok);
        EXPECT_EQ(code(), c.code);
        EXPECT_EQ(exchange.errorInStatuses(), !c.ok);
        EXPECT_EQ(line.writes().size() - before, c.writes);
        // Published either way.
        EXPECT_TRUE(lowLevel.get_sBytesState(0, 6));
        EXPECT_TRUE(lowLevel.statusBytes().Byte_0().Bit_6().CurrentState());
        EXPECT_EQ(lowLevel.statusBytes().Byte_0().Value(), 0x40);
    }
}

TEST_F(ExchangeTest, EveryFlaggedBitCountsButTheFirstSetsTheCode) {
    exchange.setRepeatCount(1);
    lowLevel.set_sBytesChecking(2, 0, TErrorChecking::ccEndUser, true);
    lowLevel.set_sBytesChecking(4, 6, TErrorChecking::ccEndUser, true);
    Bytes status(8, 0);
    status[4] = 0x40;
    line.reply(answer(0x20, 90, {}, status));
    EXPECT_FALSE(run(90));
    EXPECT_EQ(code(), -23);
    EXPECT_TRUE(exchange.errorInStatuses());

    // A clean answer clears both the flag and the states of the last one.
    line.reply(answer(0x21, 90));
    EXPECT_TRUE(run(90));
    EXPECT_FALSE(exchange.errorInStatuses());
    EXPECT_FALSE(lowLevel.get_sBytesState(4, 6));
}

TEST_F(ExchangeTest, ReceivedStatusByteSetsExactlyItsBits) {
    line.reply(answer(0x20, 74, {}, statusWith(8, 3, 0x80)));
    ASSERT_TRUE(run(74));
    for (int byteIndex = 0; byteIndex < 8; ++byteIndex) {
        for (int bitIndex = 0; bitIndex < 8; ++bitIndex) {
            EXPECT_EQ(lowLevel.get_sBytesState(byteIndex, bitIndex),
                      byteIndex == 3 && bitIndex == 7)
                << byteIndex << "," << bitIndex;
        }
    }
    EXPECT_EQ(lowLevel.statusBytes().Byte_3().Value(), 0x80);
}

TEST_F(ExchangeTest, NarrowVariantLeavesStatusBytesSixAndSevenAlone) {
    lowLevel.setProtocolType(TPacketFormat::protocol_Type1);
    lowLevel.set_sBytesState(6, 1, true);  // left over; byte 6 is not in use
    lowLevel.set_sBytesState(5, 1, true);
    line.reply(answer(0x20, 74, {}, Bytes{0, 0, 0, 0, 0, 0x81}));
    ASSERT_TRUE(run(74));
    EXPECT_TRUE(lowLevel.get_sBytesState(6, 1));
    EXPECT_FALSE(lowLevel.get_sBytesState(5, 1));
    EXPECT_TRUE(lowLevel.get_sBytesState(5, 0));
    EXPECT_TRUE(lowLevel.get_sBytesState(5, 7));
    EXPECT_FALSE(lowLevel.statusBytes().Byte_6().InUse());
    EXPECT_EQ(exchange.f_S(6), 0);
}

TEST_F(ExchangeTest, StatusChangeFiresAfterEveryReceiveAttempt) {
    struct Case {
        TPacketFormat format;
        int statusChanges;
    } cases[] = {{TPacketFormat::protocol_Type2, 2}, {TPacketFormat::protocol_Type1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.format));
        lowLevel.setProtocolType(c.format);
        line.reply(Bytes{frame::kNak}).reply(Bytes{frame::kNak});
        int changes = 0;
        exchange.OnStatusChange = [&](TPacketExchange& sender) {
            EXPECT_EQ(&sender, &exchange);
            ++changes;
        };
        EXPECT_FALSE(run(74));
        EXPECT_EQ(changes, c.statusChanges);
    }
}

TEST_F(ExchangeTest, ConnectionPreparationAndRelease) {
    struct Case {
        const char* name;
        bool openAtStart;
        bool ocoec;
        std::int32_t openResult;
        std::int32_t closeResult;
        bool answered;
        bool ok;
        std::int32_t code;
        std::size_t writes;
        bool openAtEnd;
    } cases[] = {
        {"closed line", false, false, 0, 0, true, false, -3, 0, false},
        {"opened per command", false, true, 0, 0, true, true, 0, 1, false},
        {"open fails", false, true, -10, 0, true, false, -10, 0, false},
        {"timeout kept over the close", false, true, 0, 0, false, false, -6, 1, false},
        {"close fails", true, true, 0, -1, true, true, -1, 1, true},
        {"left open", true, false, 0, 0, true, true, 0, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConnector wire;
        exchange.setRS232(&wire);
        exchange.setTickSource([&wire] { return wire.now(); });
        exchange.setRepeatCount(1);
        exchange.setOcoecModeOn(c.ocoec);
        wire.setActive(c.openAtStart);
        wire.setOpenResult(c.openResult);
        wire.setCloseResult(c.closeResult);
        if (c.answered) {
            wire.reply(answer(exchange.seqNumber(), 74));
        } else {
            wire.silence();
        }
        EXPECT_EQ(run(74), c.ok);
        EXPECT_EQ(code(), c.code);
        EXPECT_EQ(wire.writes().size(), c.writes);
        EXPECT_EQ(wire.Active(), c.openAtEnd);
    }
}

TEST_F(ExchangeTest, TransportFailuresEndTheAttempt) {
    struct Case {
        const char* name;
        void (*arrange)(ScriptedConnector&);
        std::int32_t code;
        std::size_t writes;
    } cases[] = {
        {"short write", [](ScriptedConnector& w) { w.setShortWrite(true); }, -1, 2},
        {"write raises", [](ScriptedConnector& w) { w.setThrowOnWrite(true); }, -1, 0},
        {"read raises", [](ScriptedConnector& w) { w.setThrowOnRead(true); }, -6, 2},
        {"buffers not cleared",
         [](ScriptedConnector& w) {
             w.setClearResults({-3, -3});
         },
         -1, 0},
    };
    exchange.setOcoecModeOn(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedConnector wire;
        exchange.setRS232(&wire);
        exchange.setTickSource([&wire] { return wire.now(); });
        answerEveryRequest();
        wire.setResponder([this](ByteView r) { return answer(r[5], 74); });
        c.arrange(wire);
        EXPECT_FALSE(run(74));
        EXPECT_EQ(code(), c.code);
        EXPECT_EQ(wire.writes().size(), c.writes);
    }
}

TEST_F(ExchangeTest, ExceptionWhileOpeningSkipsOnlyThatAttempt) {
    exchange.setOcoecModeOn(true);
    line.setActive(false);
    int opens = 0;
    // The line comes up but the opening raises, as a transport in RaiseMode may.
    line.setOnOpen([&] {
        if (++opens == 1) throw std::runtime_error("slow port");
    });
    answerEveryRequest();
    exchange.setRepeatCount(1);
    EXPECT_FALSE(run(74));
    EXPECT_EQ(code(), -1);
    EXPECT_TRUE(line.writes().empty());
    exchange.setRepeatCount(2);
    line.setActive(false);
    opens = 0;
    EXPECT_TRUE(run(74));
    EXPECT_EQ(line.writes().size(), 1u);
}

TEST_F(ExchangeTest, OnlySerialAndTcpHaveATransport) {
    ScriptedConnector tcp;
    exchange.setTCPIP(&tcp);
    exchange.setCommunicationType(TCommunicationType::ct_Bluetooth);
    EXPECT_EQ(exchange.CommunicationType(), TCommunicationType::ct_Unknown);
    EXPECT_FALSE(run(74));
    EXPECT_EQ(code(), -33019);
    EXPECT_TRUE(line.writes().empty());
    EXPECT_TRUE(tcp.writes().empty());

    exchange.setCommunicationType(TCommunicationType::ct_TCPIP);
    tcp.reply(answer(exchange.seqNumber(), 74));
    EXPECT_TRUE(run(74));
    EXPECT_EQ(tcp.writes().size(), 1u);
    EXPECT_TRUE(line.writes().empty());
}

TEST_F(ExchangeTest, ComponentCheckStopsEverything) {
    TScriptedPresenter presenter;
    misc.setDialogPresenter(&presenter);
    exchange.setErrContainer(nullptr);
    EXPECT_FALSE(run(74));
    EXPECT_EQ(exchange.check_Components(), -33017);
    ASSERT_FALSE(presenter.requests().empty());
    EXPECT_EQ(presenter.requests()[0].text,
              "Error container component not assigned. Please assign this component!");

    exchange.setErrContainer(&errors);
    exchange.setMisc(nullptr);
    EXPECT_FALSE(run(74));
    EXPECT_EQ(code(), -33016);
    EXPECT_TRUE(line.writes().empty());
    EXPECT_EQ(exchange.seqNumber(), 0x20);
}

TEST_F(ExchangeTest, CommandRunInsideTheOpeningKeepsTheOuterRequest) {
    // Opening per command reads the identification first, on the same exchange.
    exchange.setOcoecModeOn(true);
    line.setActive(false);
    bool innerOk = false;
    line.setOnOpen([&] { innerOk = run(90); });
    answerEveryRequest(Bytes{'0'});
    const Bytes data{'R', '\t', '7', '\t'};
    ASSERT_TRUE(run(107, data));
    EXPECT_TRUE(innerOk);
    ASSERT_EQ(line.writes().size(), 2u);
    EXPECT_EQ(frame::decodeWord(&line.writes()[0][6]), 90);
    const Bytes& outer = line.writes()[1];
    EXPECT_EQ(frame::decodeWord(&outer[6]), 107);
    EXPECT_EQ(outer[5], 0x20);
    EXPECT_EQ(Bytes(outer.begin() + 10, outer.begin() + 14), data);
    EXPECT_EQ(line.openCount(), 1);
    EXPECT_EQ(line.closeCount(), 1);
    EXPECT_FALSE(line.Active());
}

TEST_F(ExchangeTest, ThrowingHandlerStillReleasesTheConnection) {
    exchange.setOcoecModeOn(true);
    line.setActive(false);
    answerEveryRequest();
    exchange.OnStatusChange = [](TPacketExchange&) { throw std::runtime_error("handler"); };
    EXPECT_FALSE(run(74));
    EXPECT_EQ(code(), -1);
    EXPECT_EQ(line.closeCount(), 1);
    EXPECT_FALSE(line.Active());
}

}  // namespace
}  // namespace tessel
