// One command over an in-memory line: the request is built and written, the
// register's answer read byte by byte and checked. Measured against the bare
// frame codec doing the same byte work (building the request, summing the
// answer), and with every heap allocation of the program counted, to show
// that an exchange allocates nothing for its packets.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>

#include "errors/err_container.h"
#include "link/connector.h"
#include "link/frame.h"
#include "link/packet_exchange.h"
#include "util/fd_misc.h"

namespace {

std::atomic<std::uint64_t> gAllocations{0};

}  // namespace

void* operator new(std::size_t size) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    return ::operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace tessel {
namespace {

constexpr std::uint16_t kCommand = 107;
constexpr std::size_t kSeqAt = 5;

// A register that answers at once from memory: the answer is built once and
// only its SEQ and checksum are patched for each request.
class LoopbackConnector : public TConnector {
public:
    explicit LoopbackConnector(std::size_t answerData)
        : fAnswer(frame::buildAnswer(TPacketFormat::protocol_Type2, frame::kFirstSeq, kCommand,
                                     Bytes(answerData, 'a'), Bytes(8, 0x80))) {}

    bool Active() const override { return true; }
    std::int32_t openConnection() override { return 0; }
    std::int32_t closeConnection() override { return 0; }
    std::int32_t clearIOBuffers() override {
        fNext = fAnswer.size();
        return 0;
    }
    std::uint32_t writeBuffer(const std::uint8_t* buffer, std::uint32_t length) override {
        fAnswer[kSeqAt] = buffer[kSeqAt];
        const std::size_t bccAt = fAnswer.size() - 1 - frame::kWordSize;
        frame::encodeWord(frame::calculateBcc(ByteView(fAnswer.data() + 1, bccAt - 1)),
                          &fAnswer[bccAt]);
        fNext = 0;
        return length;
    }
    bool readByte(std::uint8_t& b, std::uint32_t& count) override {
        count = 0;
        if (fNext >= fAnswer.size()) return false;
        b = fAnswer[fNext++];
        count = 1;
        return true;
    }
    TSniffer* Sniffer() const override { return nullptr; }

    std::size_t answerSize() const { return fAnswer.size(); }

private:
    Bytes fAnswer;
    std::size_t fNext = 0;
};

struct Setup {
    explicit Setup(std::size_t dataSize) : line(dataSize), data(dataSize, 'q') {
        lowLevel.setProtocolType(TPacketFormat::protocol_Type2);
        exchange.setErrContainer(&errors);
        exchange.setMisc(&misc);
        exchange.setRS232(&line);
    }
    TErrContainer errors;
    TFDMisc misc;
    TLowLevel lowLevel;
    LoopbackConnector line;
    Bytes data;
    TPacketExchange exchange{lowLevel};
};

void BM_Exchange(benchmark::State& state) {
    Setup s(static_cast<std::size_t>(state.range(0)));
    if (!s.exchange.execute_Exchange(kCommand, s.data)) state.SkipWithError("exchange failed");
    const std::uint64_t before = gAllocations.load();
    for (auto _ : state) {
        benchmark::DoNotOptimize(s.exchange.execute_Exchange(kCommand, s.data));
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["allocs_per_exchange"] = static_cast<double>(gAllocations.load() - before) / n;
    state.SetBytesProcessed(
        state.iterations() *
        static_cast<std::int64_t>(s.exchange.message().size() + s.line.answerSize()));
}

// The error codes one successful exchange leaves in the container, in order:
// the exchange's start, the write, the answer reset, the status check and
// the success. Measured apart so the exchange's own share can be told.
void BM_ErrorCodesOfOneExchange(benchmark::State& state) {
    TErrContainer errors;
    const std::uint64_t before = gAllocations.load();
    for (auto _ : state) {
        for (std::int32_t code : {-1, 0, 0, 0, 0}) errors.setLastErrorCode(code);
        benchmark::DoNotOptimize(errors.LastErrorCode());
    }
    state.counters["allocs_per_exchange"] =
        static_cast<double>(gAllocations.load() - before) / static_cast<double>(state.iterations());
}

// The byte work without the protocol: build the request and sum the answer.
void BM_FrameCodec(benchmark::State& state) {
    const std::size_t size = static_cast<std::size_t>(state.range(0));
    const Bytes data(size, 'q');
    const Bytes answer = frame::buildAnswer(TPacketFormat::protocol_Type2, 0x20, kCommand,
                                            Bytes(size, 'a'), Bytes(8, 0x80));
    std::vector<std::uint8_t> message(frame::kBufferSize);
    for (auto _ : state) {
        const std::size_t n =
            frame::buildRequest(TPacketFormat::protocol_Type2, 0x20, kCommand, data, message);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(frame::calculateBcc(answer));
    }
    state.SetBytesProcessed(
        state.iterations() *
        static_cast<std::int64_t>(
            frame::requestLayout(TPacketFormat::protocol_Type2, size).total() + answer.size()));
}

BENCHMARK(BM_FrameCodec)->Arg(20)->Arg(60000);
BENCHMARK(BM_Exchange)->Arg(20)->Arg(60000);
BENCHMARK(BM_ErrorCodesOfOneExchange);

// Keeps each run's CPU time (the machine may be shared) so the exchange can be set against the
// codec baseline.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

}  // namespace
}  // namespace tessel

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tessel::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* size : {"20", "60000"}) {
        const auto exchange = reporter.times.find(std::string("BM_Exchange/") + size);
        const auto codec = reporter.times.find(std::string("BM_FrameCodec/") + size);
        if (exchange == reporter.times.end() || codec == reporter.times.end()) continue;
        std::printf("exchange / codec baseline (CPU time), %s data bytes: %.2f\n", size,
                    exchange->second / codec->second);
    }
    benchmark::Shutdown();
    return 0;
}
