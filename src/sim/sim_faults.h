#pragma once

// Faults the simulator puts on the wire: one-shot faults queued through the
// API for the next answers, and faults drawn by rate from a seeded generator,
// so a run with the same seed and the same requests misbehaves the same way.

#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace tessel::sim {

enum class FaultKind {
    delay,          // answer after `value` ms of silence
    syn,            // work `value` ms, sending SYN meanwhile
    nak,            // NAK instead of the answer; the command is not run
    wrongChecksum,  // the answer's BCC is off by one
    wrongSequence,  // the answer carries the previous SEQ
    dropAfter,      // only the first `value` bytes of the answer are sent
    disconnect,     // the link is closed; the command is not run
    deviceError,    // answer with the error code `value`; the command is not run
    silence,        // no answer at all; the command is not run
};

struct Fault {
    FaultKind kind;
    std::int64_t value = 0;
};

// Probabilities (0 to 1) drawn once per request, in this order.
struct FaultRates {
    double nak = 0;
    double bcc = 0;
    double seq = 0;
    double drop = 0;
    double silence = 0;
    double disconnect = 0;
};

// Parses "nak=P,bcc=P,seq=P,drop=P,silence=P,disconnect=P" (any subset);
// nullopt with a message for anything else.
std::optional<FaultRates> parseFaultRates(std::string_view text, std::string& error);

class FaultPlan {
public:
    explicit FaultPlan(FaultRates rates = {}, std::uint64_t seed = 0);

    // Queues a fault for the next answer not yet taken by another one.
    void queue(Fault fault);
    // The fault for the next request: a queued one first, else one by rate.
    std::optional<Fault> next();

private:
    std::mutex mutex_;
    std::deque<Fault> queued_;
    FaultRates rates_;
    std::mt19937_64 random_;
};

}  // namespace tessel::sim
