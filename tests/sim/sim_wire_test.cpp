#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "link/frame.h"
#include "sim/sim_simulator.h"
#include "sim/sim_wire.h"
#include "sim_test_client.h"

namespace tessel::sim::test {
namespace {

SimulatorOptions loopback(TPacketFormat format = TPacketFormat::protocol_Type2) {
    SimulatorOptions options;
    options.format = format;
    return options;
}

TEST(SimWire, AnswersTheReferenceStatusFrame) {
    Simulator sim(loopback());
    sim.start();
    TestClient client = TestClient::tcp(sim.tcpPort());
    client.send(client.request(0x20, 74, ""));
    const Answer a = client.readAnswer();
    EXPECT_EQ(a.received, (Bytes{0x01, 0x30, 0x30, 0x33, 0x35, 0x20, 0x30, 0x30, 0x34,
                                 0x3A, 0x30, 0x09, 0x04, 0x80, 0x80, 0x80, 0x80, 0x80,
                                 0x80, 0x80, 0x80, 0x05, 0x30, 0x35, 0x3F, 0x38, 0x03}));
}

TEST(SimWire, EchoesSeqAndCommandInBothVariants) {
    for (TPacketFormat format : {TPacketFormat::protocol_Type2, TPacketFormat::protocol_Type1}) {
        Simulator sim(loopback(format));
        sim.start();
        TestClient client = TestClient::tcp(sim.tcpPort(), format);
        for (int i = 0; i < 3; ++i) {
            const std::uint8_t seq = client.nextSeq();
            const Answer a = client.exchange(74, "");
            ASSERT_EQ(a.kind, Answer::Kind::answer);
            EXPECT_EQ(a.seq, seq);
            EXPECT_EQ(a.command, 74);
            EXPECT_EQ(a.status.size(), frame::statusByteCount(format));
        }
        const Answer id = client.exchange(90, "#");
        ASSERT_EQ(id.kind, Answer::Kind::answer);
        if (format == TPacketFormat::protocol_Type1) {
            EXPECT_EQ(id.text().rfind("ECR,RS,TK-81 R,", 0), 0u) << id.text();
        }
    }
}

TEST(SimWire, BrokenRequestsGetNakAndTheLinkGoesOn) {
    Simulator sim(loopback());
    sim.start();
    TestClient client = TestClient::tcp(sim.tcpPort());
    Bytes bad = client.request(0x20, 74, "");
    bad[bad.size() - 2] ^= 0x01;  // checksum
    client.send(bad);
    EXPECT_EQ(client.readAnswer().kind, Answer::Kind::nak);
    Bytes shortLength = client.request(0x21, 90, "#\t");
    shortLength[4] = static_cast<std::uint8_t>(shortLength[4] - 1);
    client.send(shortLength);
    EXPECT_EQ(client.readAnswer().kind, Answer::Kind::nak);
    // A frame that stops half-way is a wrong length too.
    const Bytes whole = client.request(0x22, 74, "");
    client.send(ByteView(whole).first(6));
    EXPECT_EQ(client.readAnswer(WireEngine::kFrameGapMs * 3).kind, Answer::Kind::nak);
    EXPECT_EQ(client.exchange(74, "").code(), 0);
}

TEST(SimWire, RetriedRequestIsAnsweredFromTheCacheNotBookedTwice) {
    Simulator sim(loopback());
    sim.start();
    TestClient client = TestClient::tcp(sim.tcpPort());
    const Answer first = client.exchange(70, "0\t10.00\t");
    ASSERT_EQ(first.code(), 0);
    const Answer again = client.repeat();
    EXPECT_EQ(again.received, first.received);
    EXPECT_EQ(sim.registerState().snapshot().cashInSum, 1000);
    // The same amount with the next SEQ is a new cash movement.
    EXPECT_EQ(client.exchange(70, "0\t10.00\t").fields().at(2), "20.00");
}

TEST(SimWire, SendsSynEverySixtyMillisecondsWhileBusy) {
    SimulatorOptions options = loopback();
    options.busyMs = 200;
    Simulator sim(options);
    sim.start();
    TestClient client = TestClient::tcp(sim.tcpPort());
    const Answer a = client.exchange(74, "");
    EXPECT_EQ(a.kind, Answer::Kind::answer);
    EXPECT_EQ(a.syns, 3) << "at 60, 120 and 180 ms";
}

TEST(SimWire, ServesOneHostAtATime) {
    Simulator sim(loopback());
    sim.start();
    TestClient first = TestClient::tcp(sim.tcpPort());
    ASSERT_EQ(first.exchange(74, "").code(), 0);
    TestClient second = TestClient::tcp(sim.tcpPort());
    EXPECT_EQ(second.exchange(74, "").kind, Answer::Kind::closed);
    EXPECT_EQ(first.exchange(74, "").code(), 0);
}

TEST(SimWire, NextHostIsServedAfterTheFirstLeaves) {
    Simulator sim(loopback());
    sim.start();
    {
        TestClient first = TestClient::tcp(sim.tcpPort());
        ASSERT_EQ(first.exchange(74, "").code(), 0);
        ASSERT_EQ(first.exchange(70, "0\t1.00\t").code(), 0);
    }
    // A new host starts over at SEQ 0x20 with the status request.
    TestClient second = TestClient::tcp(sim.tcpPort());
    ASSERT_EQ(second.exchange(74, "").code(), 0);
    EXPECT_EQ(second.exchange(70, "0\t1.00\t").fields().at(2), "2.00");
}

TEST(SimWire, RetryOverANewConnectionIsNotBookedTwice) {
    Simulator sim(loopback());
    sim.start();
    Bytes request;
    {
        TestClient first = TestClient::tcp(sim.tcpPort());
        sim.faults().queue({FaultKind::dropAfter, 3});
        request = first.request(0x20, 70, "0\t1.00\t");
        first.send(request);
        EXPECT_EQ(first.readAnswer(200).kind, Answer::Kind::timeout);
    }
    TestClient second = TestClient::tcp(sim.tcpPort());
    second.send(request);
    EXPECT_EQ(second.readAnswer().fields().at(2), "1.00");
    EXPECT_EQ(sim.registerState().snapshot().cashInSum, 100);
}

TEST(SimWire, SerialTimingDeliversWholeAnswersNoFasterThanTheLine) {
    SimulatorOptions options = loopback();
    options.baud = 9600;  // 960 bytes a second, handed over in slices of 9
    Simulator sim(options);
    sim.start();
    TestClient client = TestClient::tcp(sim.tcpPort());
    const auto start = std::chrono::steady_clock::now();
    std::chrono::microseconds onTheWire{0};
    for (int i = 0; i < 3; ++i) {
        const Answer answer = client.exchange(90, "#\t");
        ASSERT_EQ(answer.fields().size(), 11u);
        onTheWire += std::chrono::microseconds(answer.received.size() * 1'000'000 / 960);
    }
    const auto took = std::chrono::steady_clock::now() - start;
    // Back-to-back answers keep the line busy: no answer may arrive before
    // the ones ahead of it and itself could have crossed the wire.
    EXPECT_GE(took, onTheWire);
}

TEST(SimWire, PseudoTerminalLinkWithSymlinkBesideTcp) {
    const std::string link = ::testing::TempDir() + "tessel-sim-pty-link";
    SimulatorOptions options = loopback();
    options.pty = true;
    options.ptyLink = link;
    Simulator sim(options);
    sim.start();
    ASSERT_FALSE(sim.ptyPath().empty());
    TestClient serial = TestClient::terminal(link);
    TestClient tcp = TestClient::tcp(sim.tcpPort());
    ASSERT_EQ(serial.exchange(70, "0\t3.00\t").code(), 0);
    EXPECT_EQ(tcp.exchange(70, "0\t3.00\t").fields().at(2), "6.00")
        << "one register behind both links";
    sim.stop();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

}  // namespace
}  // namespace tessel::sim::test
