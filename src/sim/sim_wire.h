#pragma once

// The wire engine: the register's side of the packet protocol on one link.
// It parses requests, NAKs broken ones, runs commands on the register,
// sends SYN while a command works, answers, and answers a host's retry (the
// same request again) from its cache without running the command twice.

#include <chrono>
#include <cstdint>
#include <optional>

#include "sim/sim_faults.h"
#include "sim/sim_register.h"
#include "sim/sim_request_parser.h"
#include "sim/sim_stream.h"

namespace tessel::sim {

struct WireOptions {
    int baud = 0;    // 0: send at full speed; else 10 bits per byte at this rate
    int busyMs = 0;  // every command works this long
};

class WireEngine {
public:
    WireEngine(SimRegister& reg, FaultPlan& faults, WireOptions options);

    // Serves one host until it goes away, a disconnect fault hits or a stop
    // comes.
    void serve(FdStream& stream);

    // SYN while working: one every 60 ms.
    static constexpr int kSynIntervalMs = 60;
    // A frame whose next byte does not come within this time is broken.
    static constexpr int kFrameGapMs = 1000;

private:
    enum class Outcome { keep, disconnect, stopped };

    Outcome handle(FdStream& stream, const Request& request);
    bool work(FdStream& stream, int ms);
    bool send(FdStream& stream, ByteView bytes);

    SimRegister& register_;
    FaultPlan& faults_;
    WireOptions options_;
    RequestParser parser_;
    // The last request and its answer, for a host that repeats it.
    Bytes lastRequest_;
    Bytes lastAnswer_;
    // With serial timing: when the bytes sent so far have left the line, and
    // how late the last slice was handed over.
    std::chrono::steady_clock::time_point lineFreeAt_{};
    std::chrono::steady_clock::duration handedOverLate_{};
};

}  // namespace tessel::sim
