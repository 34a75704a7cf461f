#include "link/tcp_connector.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <numeric>
#include <string>
#include <thread>

#include "errors/error_exception.h"
#include "support/connector_owner.h"
#include "support/frame_responder.h"
#include "support/loopback_listener.h"
#include "support/scratch_folder.h"
#include "support/transport_rig.h"

namespace tessel {
namespace {

using namespace std::chrono_literals;
using test::ConnectorOwner;
using test::FrameResponder;
using test::LoopbackListener;
using test::readWholeFile;
using test::receiveSome;
using test::RequestFrame;
using test::ResponderReply;
using test::ScratchFolder;
using test::sendAll;

// The register's end of one connection.
class Peer {
public:
    explicit Peer(int fd) : fFd(fd) {}
    ~Peer() { close(); }
    int fd() const { return fFd; }
    void close() {
        if (fFd >= 0) ::close(fFd);
        fFd = -1;
    }

private:
    int fFd;
};

class TcpOverLoopback : public ::testing::Test {
protected:
    TcpOverLoopback() {
        connector.setPort(listener.port());
        connector.setReadTimeout(100ms);  // a silent peer should not hold the suite up
    }

    // Opens the connector and takes the register's end of the connection.
    Peer connect() {
        EXPECT_EQ(connector.openConnection(), 0);
        return Peer(listener.accept(1000ms));
    }

    LoopbackListener listener;
    TTCPIPConnector connector;
    ConnectorOwner owner{connector};
};

TEST(TcpConnector, ConstructionValuesAndAssign) {
    TTCPIPConnector c;
    EXPECT_EQ(c.Address(), "127.0.0.1");
    EXPECT_EQ(c.port(), 59000);
    EXPECT_FALSE(c.Active());
    EXPECT_TRUE(c.exitByTime());
    EXPECT_EQ(c.exitByTimeValue(), 3000u);
    EXPECT_EQ(c.readTimeout(), 1000ms);
    ASSERT_NE(c.Sniffer(), nullptr);

    c.setAddress("192.0.2.7");
    c.setPort(3999);
    c.setExitByTime(false);
    c.setExitByTimeValue(10);
    TTCPIPConnector copy;
    copy.Assign(c);
    EXPECT_EQ(copy.Address(), "192.0.2.7");
    EXPECT_EQ(copy.port(), 3999);
    EXPECT_FALSE(copy.exitByTime());
    EXPECT_EQ(copy.exitByTimeValue(), 10u);
    EXPECT_NE(copy.Sniffer(), c.Sniffer());
}

TEST(TcpConnector, ARefusedConnectionFailsToConnect) {
    TTCPIPConnector c;
    ConnectorOwner owner{c};
    ScratchFolder logs;
    c.Sniffer()->setLogFolder(logs.path());
    c.Sniffer()->setLogFileName("tcp");
    c.Sniffer()->setSaveToFile_isOn(true);
    c.setPort(test::refusedPort());
    EXPECT_EQ(c.openConnection(), -23001);
    EXPECT_FALSE(c.Active());
    EXPECT_EQ(owner.errors.LastErrorMessage(), "Client can not connect to the server.");
    const std::string text = readWholeFile(logs.path() + "tcp.txt");
    EXPECT_NE(text.find("Connection refused"), std::string::npos) << text;

    owner.errors.setRaiseMode(true);
    try {
        c.openConnection();
        FAIL() << "no exception";
    } catch (const ETesselError& e) {
        EXPECT_EQ(e.code(), -23001);
    }
    EXPECT_EQ(c.closeConnection(), -1);
}

TEST(TcpConnector, AnUnknownHostFailsToConnect) {
    TTCPIPConnector c;
    ConnectorOwner owner{c};
    c.setAddress("no-such-host.invalid");
    EXPECT_EQ(c.openConnection(), -23001);
    EXPECT_FALSE(c.Active());
}

TEST_F(TcpOverLoopback, BytesTravelBothWaysAndReachTheActiveSniffer) {
    connector.Sniffer()->setActive(true);
    Peer peer = connect();
    ASSERT_GE(peer.fd(), 0);
    EXPECT_TRUE(connector.Active());

    Bytes all(256);
    std::iota(all.begin(), all.end(), 0);
    EXPECT_EQ(connector.writeBuffer(all.data(), 256), 256u);
    EXPECT_EQ(owner.errors.LastErrorCode(), 0);
    EXPECT_EQ(receiveSome(peer.fd(), 256, 1000ms), all);

    sendAll(peer.fd(), all);
    Bytes got;
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    while (connector.readByte(b, count)) {
        EXPECT_EQ(count, 1u);
        got.push_back(b);
    }
    EXPECT_EQ(got, all);
    EXPECT_EQ(owner.errors.LastErrorCode(), -10);  // the read after the last byte

    const TSnifferValueRec& hex = connector.Sniffer()->values.cHEX;
    EXPECT_EQ(hex.toDeviceValue.substr(0, 9), "00 01 02 ");
    EXPECT_EQ(hex.toDeviceValue.size(), 256u * 3);
    EXPECT_EQ(hex.fromDeviceValue, hex.toDeviceValue);
}

TEST_F(TcpOverLoopback, ASilentPeerFailsTheByteAfterTheReadTimeout) {
    Peer peer = connect();
    std::uint8_t b = 0;
    std::uint32_t count = 9;
    EXPECT_FALSE(connector.readByte(b, count));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(owner.errors.LastErrorCode(), -10);
    EXPECT_TRUE(connector.Active());

    owner.errors.setRaiseMode(true);
    EXPECT_THROW(connector.readByte(b, count), ETesselError);
}

TEST_F(TcpOverLoopback, PeerCloseIsNoticedAndNothingCrashes) {
    Peer peer = connect();
    sendAll(peer.fd(), {0x42});
    peer.close();
    // Bytes sent before the close can still be read; then the link is gone.
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    EXPECT_TRUE(connector.readByte(b, count));
    EXPECT_EQ(b, 0x42);
    EXPECT_FALSE(connector.readByte(b, count));
    EXPECT_FALSE(connector.Active());

    EXPECT_FALSE(connector.readByte(b, count));
    EXPECT_EQ(owner.errors.LastErrorCode(), -1);
    const Bytes request(64, 0x30);
    for (int i = 0; i < 3; ++i) {  // a closed peer must never raise SIGPIPE
        EXPECT_EQ(connector.writeBuffer(request.data(), 64), 0u);
    }
    owner.errors.setRaiseMode(true);
    try {
        connector.writeBuffer(request.data(), 64);
        FAIL() << "no exception";
    } catch (const ETesselError& e) {
        EXPECT_STREQ(e.what(), "TTCPIPConnector.writeBuffer: not connected");
    }
    owner.errors.setRaiseMode(false);
    EXPECT_EQ(connector.closeConnection(), -1);
    EXPECT_EQ(owner.errors.LastErrorCode(), 0);

    // The connector connects again to the same listener.
    Peer again = connect();
    EXPECT_TRUE(connector.Active());
}

TEST_F(TcpOverLoopback, WritingToAResetPeerFailsQuietly) {
    Peer peer = connect();
    // Close with a reset: the next sends meet EPIPE / ECONNRESET.
    linger hard{1, 0};
    ::setsockopt(peer.fd(), SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    peer.close();
    const Bytes request(1024, 0x31);
    std::uint32_t written = 1024;
    for (int i = 0; i < 5 && written != 0; ++i) {
        written = connector.writeBuffer(request.data(), 1024);
    }
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(connector.Active());
}

TEST_F(TcpOverLoopback, AddressAndPortChangeOnlyWhileDisconnected) {
    Peer first = connect();
    LoopbackListener second;
    connector.setPort(second.port());
    connector.setAddress("localhost");
    EXPECT_EQ(connector.port(), listener.port());
    EXPECT_EQ(connector.Address(), "127.0.0.1");

    EXPECT_EQ(connector.closeConnection(), 0);
    EXPECT_FALSE(connector.Active());
    connector.setPort(second.port());
    EXPECT_EQ(connector.port(), second.port());
    ASSERT_EQ(connector.openConnection(), 0);
    Peer onSecond(second.accept(1000ms));
    EXPECT_GE(onSecond.fd(), 0);
}

TEST_F(TcpOverLoopback, OpeningWhileConnectedKeepsTheConnection) {
    Peer peer = connect();
    EXPECT_EQ(connector.openConnection(), 0);
    EXPECT_EQ(listener.accept(100ms), -1);  // no second connection
    sendAll(peer.fd(), {7});
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    EXPECT_TRUE(connector.readByte(b, count));
}

TEST_F(TcpOverLoopback, ClearingDrainsInputOnly) {
    Peer peer = connect();
    sendAll(peer.fd(), {1, 2, 3});
    ASSERT_TRUE(connector.check_Readable());
    EXPECT_EQ(connector.clearIOBuffers(), 0);
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    EXPECT_FALSE(connector.readByte(b, count));
    // Input that came in after a connection check is cleared as well.
    ASSERT_TRUE(connector.Active());
    sendAll(peer.fd(), {4, 5});
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(connector.clearIOBuffers(), 0);
    EXPECT_FALSE(connector.readByte(b, count));
    // What was written before still reaches the peer.
    const Bytes request{0x01, 0x30};
    ASSERT_EQ(connector.writeBuffer(request.data(), 2), 2u);
    EXPECT_EQ(connector.clearIOBuffers(), 0);
    EXPECT_EQ(receiveSome(peer.fd(), 2, 1000ms), request);
}

TEST_F(TcpOverLoopback, BufferReadsAndSingleByteHelpers) {
    Peer peer = connect();
    sendAll(peer.fd(), {10, 20, 30, 40, 50});
    std::uint8_t buffer[3] = {};
    ASSERT_TRUE(connector.check_Readable());
    EXPECT_EQ(connector.readBuffer(buffer, 3), 3u);
    EXPECT_EQ(buffer[2], 30);
    EXPECT_EQ(owner.errors.LastErrorCode(), 0);
    // readBuffer empties the input afterwards: 40 and 50 are gone.
    EXPECT_EQ(connector.readByte(), 0);
    EXPECT_EQ(owner.errors.LastErrorCode(), -10);
    EXPECT_FALSE(connector.check_Readable());

    EXPECT_TRUE(connector.writeByte(0x7E));
    EXPECT_EQ(receiveSome(peer.fd(), 1, 1000ms), Bytes{0x7E});
}

TEST_F(TcpOverLoopback, IdentificationAfterConnectFollowsThePause) {
    int calls = 0;
    connector.setAfterConnect([&] {
        ++calls;
        return calls == 1;
    });
    Peer peer = connect();
    EXPECT_EQ(calls, 1);
    // Opening again repeats only the identification read, whose failure is -3.
    EXPECT_EQ(connector.openConnection(), -3);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(owner.errors.LastErrorMessage(), "Open error");
}

TEST(TcpConnector, MissingSiblingsFailTheChecks) {
    TTCPIPConnector c;
    std::uint8_t b = 0;
    std::uint32_t count = 0;
    EXPECT_EQ(c.openConnection(), -1);
    EXPECT_EQ(c.clearIOBuffers(), -1);
    EXPECT_FALSE(c.readByte(b, count));
    EXPECT_EQ(c.writeBuffer(&b, 1), 0u);
    EXPECT_EQ(c.closeConnection(), -1);
    TErrContainer errors;
    c.setErrContainer(&errors);
    EXPECT_EQ(c.openConnection(), -1);
    EXPECT_EQ(errors.LastErrorCode(), -33016);
}

class TcpExchange : public ::testing::Test {
protected:
    TcpExchange() { connector.setPort(listener.port()); }

    LoopbackListener listener;
    TTCPIPConnector connector;
    test::TransportRig rig{connector, TCommunicationType::ct_TCPIP};
};

TEST_F(TcpExchange, CommandsRunOverTheConnection) {
    FrameResponder registerSide(listener, test::echoAnswer);
    ASSERT_EQ(connector.openConnection(), 0);
    ASSERT_TRUE(rig.run(107, "R\t1\t"));
    EXPECT_EQ(rig.code(), 0);
    EXPECT_EQ(rig.output(), "0\tR\t1\t");
    ASSERT_TRUE(rig.run(90, "#\t"));
    EXPECT_EQ(rig.output(), "0\t#\t");
    const auto requests = registerSide.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].seq, 0x21);
    EXPECT_EQ(requests[1].command, 90);
}

// With the default 1,000 ms read time-out and 3,000 ms deadline the command
// gives up after about three seconds.
TEST_F(TcpExchange, ASilentRegisterEndsTheCommandWithTimeout) {
    FrameResponder registerSide(listener, [](const RequestFrame&) { return ResponderReply{}; });
    ASSERT_EQ(connector.readTimeout(), 1000ms);
    ASSERT_EQ(connector.exitByTimeValue(), 3000u);
    ASSERT_EQ(connector.openConnection(), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(rig.run(74, ""));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(rig.code(), -6);
    EXPECT_EQ(rig.output(), "");
    EXPECT_TRUE(connector.Active());
    RecordProperty(
        "silent_register_ms",
        static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(took).count()));
}

TEST_F(TcpExchange, ARegisterThatHangsUpFailsTheNextCommand) {
    FrameResponder registerSide(listener, [](const RequestFrame& r) {
        ResponderReply reply = test::echoAnswer(r);
        reply.hangUp = true;
        return reply;
    });
    ASSERT_EQ(connector.openConnection(), 0);
    ASSERT_TRUE(rig.run(74, ""));
    // The answer came, then the register closed the connection; the close
    // itself may trail the answer by a moment.
    const auto until = std::chrono::steady_clock::now() + 2s;
    while (connector.Active() && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_FALSE(rig.run(74, ""));
    EXPECT_EQ(rig.code(), -3);
    EXPECT_FALSE(connector.Active());

    // Opening per command connects again.
    rig.exchange.setOcoecModeOn(true);
    EXPECT_TRUE(rig.run(74, ""));
    EXPECT_EQ(rig.code(), 0);
    EXPECT_EQ(registerSide.requests().size(), 2u);
}

}  // namespace
}  // namespace tessel
