#include "link/wait_hook.h"

#include <errno.h>
#include <poll.h>

#include <algorithm>
#include <thread>

namespace tessel {

namespace {

using Clock = std::chrono::steady_clock;

int pollOnce(int fd, short events, int waitMs) {
    pollfd p{fd, events, 0};
    int rc;
    do {
        rc = ::poll(&p, 1, waitMs);
    } while (rc < 0 && errno == EINTR);
    return rc;
}

}  // namespace

int pollWaiting(int fd, short events, int waitMs, const TWaitHook& hook) {
    if (!hook || waitMs == 0) return pollOnce(fd, events, waitMs);
    const int slice = static_cast<int>(kWaitSlice.count());
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        int step = slice;
        if (waitMs > 0) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                    .count();
            step = static_cast<int>(std::clamp<long long>(left, 0, slice));
        }
        const int rc = pollOnce(fd, events, step);
        if (rc != 0 || (waitMs > 0 && Clock::now() >= deadline)) return rc;
        hook();
    }
}

void sleepWaiting(std::chrono::milliseconds duration, const TWaitHook& hook) {
    if (!hook) {
        std::this_thread::sleep_for(duration);
        return;
    }
    const auto deadline = Clock::now() + duration;
    while (Clock::now() < deadline) {
        std::this_thread::sleep_for(std::min<Clock::duration>(kWaitSlice, deadline - Clock::now()));
        hook();
    }
}

}  // namespace tessel
