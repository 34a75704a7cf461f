#include "sim/sim_wire.h"

#include <chrono>

#include "link/frame.h"

namespace tessel::sim {

namespace {

constexpr std::size_t kReadChunk = 4096;
// How often an idle link looks at the stop signal besides its own wakeup.
constexpr int kIdleReadMs = 1000;

// Writes the BCC of an answer whose bytes were changed, off by `delta`.
void resealAnswer(Bytes& answer, int delta) {
    // BCC is the encoded word before the terminator; it sums everything from LEN on.
    const std::size_t bccAt = answer.size() - 1 - frame::kWordSize;
    const std::uint16_t sum = frame::calculateBcc(ByteView(answer).subspan(1, bccAt - 1));
    frame::encodeWord(static_cast<std::uint16_t>(sum + delta), answer.data() + bccAt);
}

}  // namespace

WireEngine::WireEngine(SimRegister& reg, FaultPlan& faults, WireOptions options)
    : register_(reg), faults_(faults), options_(options), parser_(reg.config().format) {}

bool WireEngine::send(FdStream& stream, ByteView bytes) {
    if (options_.baud <= 0) return stream.write(bytes);
    // Serial timing, 10 bits per byte, in slices of about 10 ms: a slice is
    // handed over when its last byte would have left the wire. The line
    // keeps its own clock: it is busy until the bytes sent so far have left,
    // and this thread waking late to hand a slice over is charged to the
    // line, not to the host, whose reply is taken as having come that much
    // earlier.
    using namespace std::chrono;
    const auto byteTime = [this](std::size_t count) {
        return microseconds(static_cast<std::int64_t>(count) * 10'000'000 / options_.baud);
    };
    const std::size_t slice =
        std::max<std::size_t>(1, static_cast<std::size_t>(options_.baud) / 1000);
    const auto start = std::max(steady_clock::now() - handedOverLate_, lineFreeAt_);
    for (std::size_t sent = 0; sent < bytes.size();) {
        const std::size_t n = std::min(slice, bytes.size() - sent);
        const auto due = start + byteTime(sent + n);
        const auto wait = duration_cast<microseconds>(due - steady_clock::now());
        if (wait.count() > 0 && stream.stop().waitFor(wait)) return false;
        handedOverLate_ = std::max(steady_clock::duration::zero(), steady_clock::now() - due);
        if (!stream.write(bytes.subspan(sent, n))) return false;
        sent += n;
    }
    lineFreeAt_ = start + byteTime(bytes.size());
    return true;
}

bool WireEngine::work(FdStream& stream, int ms) {
    const std::uint8_t syn = frame::kSyn;
    for (int elapsed = 0; elapsed < ms;) {
        const int step = std::min(kSynIntervalMs, ms - elapsed);
        if (stream.stop().waitFor(std::chrono::milliseconds(step))) return false;
        elapsed += step;
        if (step == kSynIntervalMs && elapsed < ms && !send(stream, ByteView(&syn, 1)))
            return false;
    }
    return true;
}

WireEngine::Outcome WireEngine::handle(FdStream& stream, const Request& request) {
    const std::optional<Fault> fault = faults_.next();
    const TPacketFormat format = register_.config().format;
    if (fault) {
        switch (fault->kind) {
            case FaultKind::silence:
                return Outcome::keep;
            case FaultKind::disconnect:
                return Outcome::disconnect;
            case FaultKind::nak: {
                const std::uint8_t nak = frame::kNak;
                return send(stream, ByteView(&nak, 1)) ? Outcome::keep : Outcome::stopped;
            }
            case FaultKind::deviceError: {
                const std::string text = std::to_string(fault->value) + '\t';
                const Bytes answer = frame::buildAnswer(
                    format, request.seq, request.command,
                    ByteView(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                    register_.status());
                return send(stream, answer) ? Outcome::keep : Outcome::stopped;
            }
            default:
                break;
        }
    }
    // A host repeats a request byte for byte only when it missed the answer.
    if (request.raw != lastRequest_ || lastAnswer_.empty()) {
        const Execution done = register_.execute(request.command, request.data);
        lastRequest_ = request.raw;
        lastAnswer_ =
            frame::buildAnswer(format, request.seq, request.command, done.data, done.status);
    }
    int busy = options_.busyMs;
    if (fault && fault->kind == FaultKind::syn) busy += static_cast<int>(fault->value);
    if (!work(stream, busy)) return Outcome::stopped;
    if (fault && fault->kind == FaultKind::delay &&
        stream.stop().waitFor(std::chrono::milliseconds(fault->value))) {
        return Outcome::stopped;
    }
    ByteView answer(lastAnswer_);
    // A changed answer is a copy: the cached one stays right for a retry.
    Bytes changed;
    if (fault && fault->kind == FaultKind::wrongChecksum) {
        changed = lastAnswer_;
        resealAnswer(changed, 1);
        answer = changed;
    }
    if (fault && fault->kind == FaultKind::wrongSequence) {
        const std::size_t seqAt =
            format == TPacketFormat::protocol_Type2 ? 1 + frame::kWordSize : 2;
        changed = lastAnswer_;
        changed[seqAt] = frame::expectedAnswerSeq(format, request.seq);
        resealAnswer(changed, 0);
        answer = changed;
    }
    if (fault && fault->kind == FaultKind::dropAfter) {
        answer = answer.first(
            std::min<std::size_t>(answer.size(), static_cast<std::size_t>(fault->value)));
    }
    return send(stream, answer) ? Outcome::keep : Outcome::stopped;
}

void WireEngine::serve(FdStream& stream) {
    parser_.abandon();
    std::uint8_t buffer[kReadChunk];
    for (;;) {
        std::size_t got = 0;
        const int timeout = parser_.inFrame() ? kFrameGapMs : kIdleReadMs;
        switch (stream.read(buffer, sizeof buffer, timeout, got)) {
            case FdStream::Status::stopped:
            case FdStream::Status::closed:
                return;
            case FdStream::Status::timeout:
                // A frame that stopped half-way had a wrong length.
                if (parser_.abandon()) {
                    const std::uint8_t nak = frame::kNak;
                    if (!send(stream, ByteView(&nak, 1))) return;
                }
                continue;
            case FdStream::Status::data:
                break;
        }
        for (std::size_t i = 0; i < got; ++i) {
            const auto result = parser_.feed(buffer[i]);
            if (result == RequestParser::Result::broken) {
                const std::uint8_t nak = frame::kNak;
                if (!send(stream, ByteView(&nak, 1))) return;
            } else if (result == RequestParser::Result::request) {
                const Outcome outcome = handle(stream, parser_.request());
                if (outcome != Outcome::keep) return;
            }
        }
    }
}

}  // namespace tessel::sim
