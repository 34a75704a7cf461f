#pragma once

// Waiting for the register without freezing its caller: a transport that has
// a wait hook cuts every wait into short slices and calls the hook between
// them (a window pumps its paint events there). Without a hook a wait simply
// blocks. The hook must not start another command on the same transport.

#include <chrono>
#include <functional>

namespace tessel {

using TWaitHook = std::function<void()>;

// The longest stretch a wait blocks before the hook is called again.
inline constexpr std::chrono::milliseconds kWaitSlice{20};

// poll() for events on one descriptor, retried after interruptions; waitMs
// -1 waits without limit. The answer is poll's.
int pollWaiting(int fd, short events, int waitMs, const TWaitHook& hook);

void sleepWaiting(std::chrono::milliseconds duration, const TWaitHook& hook);

}  // namespace tessel
