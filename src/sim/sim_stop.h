#pragma once

// A stop request that wakes every wait of the simulator's threads at once:
// an eventfd that stays readable once triggered.

#include <chrono>

namespace tessel::sim {

class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void trigger();
    bool triggered() const;
    // Waits up to `duration`; true when stopped meanwhile.
    bool waitFor(std::chrono::microseconds duration) const;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace tessel::sim
