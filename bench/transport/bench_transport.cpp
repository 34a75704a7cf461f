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
#include <vector>

#include "../common/loopback_socket.h"
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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

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
        std::size_t got = 0;
        while (got < answerSize) {
            const ssize_t n = ::recv(fd, answer + got, answerSize - got, 0);
            if (n <= 0) {
                std::fprintf(stderr, "raw round: connection lost\n");
                std::exit(1);
            }
            got += static_cast<std::size_t>(n);
        }
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

    // Each round runs both paths back to back, so both see the same machine
    // load; the median of the rounds' ratios is the figure.
    std::vector<double> raw;
    std::vector<double> exchange;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        // Which path goes first alternates, so neither always runs warm.
        if (round % 2 == 0) {
            raw.push_back(rawRound(listener.port(), count));
            exchange.push_back(exchangeRound(listener.port(), count));
        } else {
            exchange.push_back(exchangeRound(listener.port(), count));
            raw.push_back(rawRound(listener.port(), count));
        }
        ratios.push_back(exchange.back() / raw.back());
    }
    std::printf("command %u with %zu data bytes, %d exchanges per path and round, %d rounds\n",
                kCommand, kData.size(), count, kRounds);
    std::printf("raw socket ping-pong : %10.0f exchanges/s (median)\n", median(raw));
    std::printf("TPacketExchange + TCP: %10.0f exchanges/s (median)\n", median(exchange));
    std::printf("ratio                : %10.2f (median of the rounds; target >= 0.80)\n",
                median(ratios));
    return 0;
}
