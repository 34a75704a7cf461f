#include "sim/sim_stop.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace tessel::sim {

StopSignal::StopSignal() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (fd_ < 0) throw std::runtime_error("cannot create the stop signal");
}

StopSignal::~StopSignal() {
    close(fd_);
}

void StopSignal::trigger() {
    const std::uint64_t one = 1;
    // Only fails when the counter would overflow: it is then triggered anyway.
    [[maybe_unused]] const auto n = write(fd_, &one, sizeof one);
}

bool StopSignal::triggered() const {
    return waitFor(std::chrono::microseconds{0});
}

bool StopSignal::waitFor(std::chrono::microseconds duration) const {
    // Nanosecond waits: serial pacing ends many short waits on time, which
    // millisecond rounding would stretch.
    const auto deadline = std::chrono::steady_clock::now() + duration;
    for (;;) {
        const auto left = std::max(std::chrono::nanoseconds{0},
                                   std::chrono::duration_cast<std::chrono::nanoseconds>(
                                       deadline - std::chrono::steady_clock::now()));
        const timespec wait{static_cast<time_t>(left.count() / 1'000'000'000),
                            static_cast<long>(left.count() % 1'000'000'000)};
        pollfd p{fd_, POLLIN, 0};
        const int ready = ppoll(&p, 1, &wait, nullptr);
        if (ready > 0) return true;
        if (ready == 0 && std::chrono::steady_clock::now() >= deadline) return false;
    }
}

}  // namespace tessel::sim
