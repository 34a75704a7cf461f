// One table of the figures we hold ourselves to, each against a baseline
// measured in the same run:
//  - the exchange over loopback TCP against the simulator versus a raw socket
//    ping-pong of the same frames;
//  - bulk article reads against the simulator at 115200 baud versus the wire
//    limit of the bytes actually exchanged;
//  - start-up of tessel-config to its first shown window, offscreen (report
//    only; skipped when the start-up probe is not built).
//
//   bench_summary [--all-articles] [--startup-probe PATH]

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../common/loopback_socket.h"
#include "../common/rounds.h"
#include "../soak/soak_articles.h"
#include "counting_connector.h"
#include "errors/err_container.h"
#include "link/frame.h"
#include "link/packet_exchange.h"
#include "link/tcp_connector.h"
#include "sim/sim_simulator.h"
#include "support/temp_user_folders.h"
#include "util/fd_misc.h"

namespace {

using namespace tessel;
using Clock = std::chrono::steady_clock;

constexpr std::uint16_t kArticles = 107;
constexpr int kPingPongCount = 5000;
constexpr int kPingPongRounds = 9;
constexpr int kBulkBaud = 115200;
// Ten bits per byte on the serial line.
constexpr double kWireBytesPerSecond = kBulkBaud / 10.0;
constexpr int kStartupRuns = 5;

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Fills the register with articles 1..count without going over the wire.
void programArticles(sim::Simulator& simulator, int count) {
    simulator.registerState().update([count](sim::RegisterState& state) {
        for (int plu = 1; plu <= count; ++plu) {
            sim::Article a;
            a.taxGroup = "А";
            a.price = plu * 10;
            a.barcodes[0] = std::to_string(8600000000000LL + plu);
            a.name = "Artikal " + std::to_string(plu);
            state.articles[plu] = a;
        }
    });
}

// The exchange as the device component runs it, over TTCPIPConnector with
// every byte counted.
class ExchangeClient {
public:
    explicit ExchangeClient(std::uint16_t port) : fCounting(fTcp) {
        fTcp.setErrContainer(&fErrors);
        fTcp.setMisc(&fMisc);
        fTcp.setPort(port);
        fLowLevel.setProtocolType(TPacketFormat::protocol_Type2);
        fExchange.setErrContainer(&fErrors);
        fExchange.setMisc(&fMisc);
        fExchange.setTCPIP(&fCounting);
        fExchange.setCommunicationType(TCommunicationType::ct_TCPIP);
        fExchange.setRepeatCount(1);
        if (fTcp.openConnection() != 0) fail("cannot connect to the simulator");
    }
    ~ExchangeClient() { fTcp.closeConnection(); }

    void run(const std::string& text) {
        if (!fExchange.execute_Exchange(kArticles, Bytes(text.begin(), text.end())))
            fail("command failed with " + std::to_string(fErrors.LastErrorCode()));
    }
    const bench::CountingConnector& counts() const { return fCounting; }

private:
    [[noreturn]] static void fail(const std::string& what) {
        std::fprintf(stderr, "bench_summary: %s\n", what.c_str());
        std::exit(1);
    }

    TErrContainer fErrors;
    TFDMisc fMisc;
    TTCPIPConnector fTcp;
    bench::CountingConnector fCounting;
    TLowLevel fLowLevel;
    TPacketExchange fExchange{fLowLevel};
};

// The baseline: the same request frames written with one send each and the
// answer collected with blocking receives until its LEN says it is complete.
// Reads articles 1..articles in turn; returns the seconds taken.
double rawPingPong(std::uint16_t port, int count, int articles) {
    // Preamble and LEN come first; LEN covers everything up to the
    // postamble, and BCC and the terminator follow it.
    constexpr std::size_t kHead = 1 + frame::kWordSize;
    constexpr std::size_t kTail = frame::kWordSize + 1;
    const int fd = bench::connectLoopback(port);
    Bytes request(frame::kBufferSize);
    std::vector<std::uint8_t> answer(frame::kBufferSize);
    std::uint8_t seq = frame::kFirstSeq;
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const std::string text = soak::readText(1 + i % articles);
        const Bytes data(text.begin(), text.end());
        const std::size_t length =
            frame::buildRequest(TPacketFormat::protocol_Type2, seq, kArticles, data, request);
        seq = frame::nextSeq(TPacketFormat::protocol_Type2, seq);
        ::send(fd, request.data(), length, MSG_NOSIGNAL);
        bench::receiveExactly(fd, answer.data(), 0, kHead);
        const std::size_t total =
            1 + (frame::decodeWord(&answer[1]) - frame::kLengthOffset) + kTail;
        bench::receiveExactly(fd, answer.data(), kHead, total);
    }
    const double took = seconds(Clock::now() - start);
    ::close(fd);
    return took;
}

double exchangePingPong(std::uint16_t port, int count) {
    ExchangeClient client(port);
    const std::string text = soak::readText(1);
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) client.run(text);
    return count / seconds(Clock::now() - start);
}

struct PingPong {
    double raw, exchange, ratio;
    std::vector<double> roundRatios;
};

PingPong pingPong() {
    sim::Simulator simulator(sim::SimulatorOptions{});
    simulator.start();
    programArticles(simulator, 1);
    bench::Rounds rounds = bench::alternatingRounds(
        kPingPongRounds,
        [&] { return kPingPongCount / rawPingPong(simulator.tcpPort(), kPingPongCount, 1); },
        [&] { return exchangePingPong(simulator.tcpPort(), kPingPongCount); });
    simulator.stop();
    const double ratio = bench::median(rounds.ratios);
    return {bench::median(rounds.raw), bench::median(rounds.exchange), ratio,
            std::move(rounds.ratios)};
}

struct Bulk {
    int reads;
    std::uint64_t written, read;
    double elapsed, wireLimit, rawElapsed;
};

// The simulator paces its answers at serial speed and takes requests at once,
// so the wire limit counts the answer bytes the host actually read. It hands
// each slice of an answer over only when the slice would have crossed the
// wire, so whatever time the host takes between an answer and its next
// request shows in the elapsed time.
Bulk bulkReads(int count) {
    sim::SimulatorOptions options;
    options.baud = kBulkBaud;
    sim::Simulator simulator(options);
    simulator.start();
    programArticles(simulator, count);
    Bulk bulk{count, 0, 0, 0, 0, 0};
    {
        ExchangeClient client(simulator.tcpPort());
        const auto start = Clock::now();
        for (int plu = 1; plu <= count; ++plu) client.run(soak::readText(plu));
        bulk.elapsed = seconds(Clock::now() - start);
        bulk.written = client.counts().bytesWritten();
        bulk.read = client.counts().bytesRead();
        bulk.wireLimit = bulk.read / kWireBytesPerSecond;
    }
    // The same reads by the raw client (once the exchange's connection is
    // closed) show how much of the gap to the wire limit is the simulator's
    // own pacing.
    bulk.rawElapsed = rawPingPong(simulator.tcpPort(), count, count);
    simulator.stop();
    return bulk;
}

// Milliseconds from starting the probe to its "shown" line, median of runs.
std::optional<double> startupMs(const std::string& probe) {
    if (probe.empty() || !std::filesystem::exists(probe)) return std::nullopt;
    std::vector<double> runs;
    for (int i = 0; i < kStartupRuns; ++i) {
        const auto start = Clock::now();
        const std::string command = "QT_QPA_PLATFORM=offscreen '" + probe + "' 2>/dev/null";
        FILE* out = ::popen(command.c_str(), "r");
        if (out == nullptr) return std::nullopt;
        char line[64] = {};
        const bool shown =
            std::fgets(line, sizeof line, out) != nullptr && std::string(line).starts_with("shown");
        const double ms = seconds(Clock::now() - start) * 1000.0;
        if (::pclose(out) != 0 || !shown) return std::nullopt;
        runs.push_back(ms);
    }
    return bench::median(runs);
}

}  // namespace

int main(int argc, char** argv) {
    int bulkCount = 2400;
    std::string probe;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--all-articles") {
            bulkCount = 24000;
        } else if (arg == "--startup-probe" && i + 1 < argc) {
            probe = argv[++i];
        } else {
            std::fprintf(stderr, "usage: bench_summary [--all-articles] [--startup-probe PATH]\n");
            return 2;
        }
    }
    // The error containers keep their folders out of the user's home.
    const TempUserFolders userFolders;

    const PingPong p = pingPong();
    const Bulk b = bulkReads(bulkCount);
    const auto startup = startupMs(probe);

    std::printf("%-46s %22s %24s %7s %9s\n", "benchmark", "measured", "baseline", "ratio",
                "target");
    std::printf("%-46s %16.0f cmd/s %18.0f cmd/s %7.2f %9s\n",
                "exchange vs raw ping-pong, tessel-sim TCP", p.exchange, p.raw, p.ratio, ">= 0.80");
    const std::string bulkName = std::to_string(b.reads) + " x 107 \"R\", tessel-sim --baud 115200";
    std::printf("%-46s %20.2f s %15.2f s wire %7.3f %9s\n", bulkName.c_str(), b.elapsed,
                b.wireLimit, b.wireLimit / b.elapsed, ">= 0.97");
    if (startup) {
        std::printf("%-46s %19.0f ms %24s %7s %9s\n",
                    "tessel-config start-up, offscreen (median 5)", *startup, "-", "-", "report");
    } else {
        std::printf("%-46s %22s %24s %7s %9s\n", "tessel-config start-up, offscreen (median 5)",
                    "skipped (not built)", "-", "-", "report");
    }
    std::printf(
        "bulk bytes: %llu read (paced by the simulator), %llu written; wire limit = "
        "bytes read / %.0f B/s\n",
        static_cast<unsigned long long>(b.read), static_cast<unsigned long long>(b.written),
        kWireBytesPerSecond);
    std::printf("bulk by the raw client: %.2f s (ratio to the wire limit %.3f)\n", b.rawElapsed,
                b.wireLimit / b.rawElapsed);
    std::printf("ping-pong: %d commands of 107 \"R\" per path and round, %d rounds, ratio median;",
                kPingPongCount, kPingPongRounds);
    for (const double r : p.roundRatios) std::printf(" %.2f", r);
    std::printf("\n");
    return 0;
}
