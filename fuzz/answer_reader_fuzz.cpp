// The exchange's answer reader fed arbitrary register bytes over an in-memory
// line with a virtual clock. Every input must end the command in bounded
// (virtual) time, with a code of the error catalogue that has an English text
// whenever the command fails and an empty answer text then.
#include <cstddef>
#include <cstdint>

#include "../bench/common/catalogue_code.h"
#include "errors/err_container.h"
#include "fuzz_check.h"
#include "link/packet_exchange.h"
#include "scripted_connector.h"
#include "util/fd_misc.h"

using namespace tessel;

namespace {

// Input layout: one settings byte, the command number (two bytes, low first),
// then the register's replies, one per attempt, each as a two-byte length
// (low first), a delay byte in steps of 20 ms and that many bytes.
constexpr std::uint32_t kDelayStepMs = 20;
constexpr std::uint32_t kReadTimeoutMs = 100;

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t pos = 0;

    std::size_t left() const { return size - pos; }
    std::uint8_t byte() { return left() > 0 ? data[pos++] : 0; }
    std::uint16_t word() {
        const std::uint8_t low = byte();
        return static_cast<std::uint16_t>(low | (byte() << 8));
    }
};

TErrContainer& errorContainer() {
    static TErrContainer errors;
    return errors;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, size};
    const std::uint8_t settings = in.byte();
    const std::uint16_t command = in.word();

    TErrContainer& errors = errorContainer();
    TFDMisc misc;
    TLowLevel lowLevel;
    lowLevel.setProtocolType((settings & 1) ? TPacketFormat::protocol_Type1
                                            : TPacketFormat::protocol_Type2);
    ScriptedConnector line;
    line.setReadTimeout(kReadTimeoutMs);
    line.setExitByTime((settings & 2) == 0);
    const std::int32_t repeatCount = 1 + ((settings >> 2) & 3);

    std::uint64_t totalDelay = 0;
    while (in.left() > 0) {
        const std::size_t length = in.word();
        const std::uint32_t delay = in.byte() * kDelayStepMs;
        const std::size_t take = std::min(length, in.left());
        line.reply(
            ScriptedConnector::Reply{{Bytes(in.data + in.pos, in.data + in.pos + take), delay}});
        in.pos += take;
        totalDelay += delay;
    }

    TPacketExchange exchange(lowLevel);
    exchange.setErrContainer(&errors);
    exchange.setMisc(&misc);
    exchange.setRS232(&line);
    exchange.setRepeatCount(repeatCount);
    exchange.setTickSource([&line] { return line.now(); });
    errors.setLastErrorCode(0);

    const bool ok = exchange.execute_Exchange(command, {});
    const std::int32_t code = errors.LastErrorCode();
    if (ok) {
        FUZZ_CHECK(code == 0);
    } else {
        FUZZ_CHECK(code != 0);
        FUZZ_CHECK(bench::hasCatalogueText(code));
        FUZZ_CHECK(exchange.AnsiTextOutput().empty());
    }
    FUZZ_CHECK(exchange.answer().size() <= frame::kBufferSize);
    // Waiting is bounded by the scripted delays plus one silent-register limit
    // (and one last read) per attempt.
    const std::uint64_t limit =
        line.exitByTime() ? line.exitByTimeValue() : kSilentRegisterLimit.count();
    FUZZ_CHECK(line.now() <= totalDelay + repeatCount * (limit + kReadTimeoutMs));
    return 0;
}
