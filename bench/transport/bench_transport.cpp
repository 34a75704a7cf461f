// Exchanges per second over loopback TCP against the scripted register,
// against a raw socket ping-pong of the same bytes with the same register in
// the same run. Prints both rates and their ratio (target: at least 0.8).
//
//   bench_transport [exchanges-per-round]

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../common/loopback_socket.h"
#include "../common/rounds.h"
#include "link/frame.h"
#include "link/tcp_connector.h"
#include "support/frame_responder.h"
#include "support/loopback_listener.h"
#include "support/transport_rig.h"

namespace {

using namespace tessel;
using Clock = std::chrono::steady_clock;

constexpr std::uint16_t kCommand = 107;
const std::string kData = "R\t1\t";
constexpr int kRounds = 9;

double perSecond(int count, Clock::duration took) {
    return count / std::chrono::duration<double>(took).count();
}

// The baseline: the request written with one send, the answer collected with
// blocking receives until it is complete. Nothing else.
double rawRound(std::uint16_t port, int count) {
    const Bytes data(kData.begin(), kData.end());
    Bytes request(frame::requestLayout(TPacketFormat::protocol_Type2, data.size()).total());
    frame::buildRequest(TPacketFormat::protocol_Type2, frame::kFirstSeq, kCommand, data, request);
    test::RequestFrame asSeen{frame::kFirstSeq, kCommand, data};
    const std::size_t answerSize = test::echoAnswer(asSeen).bytes.size();

    const int fd = bench::connectLoopback(port);
    std::uint8_t answer[256];
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        bench::receiveExactly(fd, answer, 0, answerSize);
    }
    const auto took = Clock::now() - start;
    ::close(fd);
    return perSecond(count, took);
}

// The product path: the packet exchange over TTCPIPConnector, as a command runs it.
double exchangeRound(std::uint16_t port, int count) {
    TTCPIPConnector connector;
    connector.setPort(port);
    test::TransportRig rig(connector, TCommunicationType::ct_TCPIP);
    if (connector.openConnection() != 0) {
        std::fprintf(stderr, "exchange round: cannot connect\n");
        std::exit(1);
    }
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        if (!rig.run(kCommand, kData)) {
            std::fprintf(stderr, "exchange round: command failed with %d\n", rig.code());
            std::exit(1);
        }
    }
    const auto took = Clock::now() - start;
    connector.closeConnection();
    return perSecond(count, took);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
    test::LoopbackListener listener;
    test::FrameResponder registerSide(listener, test::echoAnswer);

    // The median of the rounds' ratios is the figure.
    const bench::Rounds rounds = bench::alternatingRounds(
        kRounds, [&] { return rawRound(listener.port(), count); },
        [&] { return exchangeRound(listener.port(), count); });
    std::printf("command %u with %zu data bytes, %d exchanges per path and round, %d rounds\n",
                kCommand, kData.size(), count, kRounds);
    std::printf("raw socket ping-pong : %10.0f exchanges/s (median)\n", bench::median(rounds.raw));
    std::printf("TPacketExchange + TCP: %10.0f exchanges/s (median)\n",
                bench::median(rounds.exchange));
    std::printf("ratio                : %10.2f (median of the rounds; target >= 0.80)\n",
                bench::median(rounds.ratios));
    return 0;
}
