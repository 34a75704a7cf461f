#include "link/wait_hook.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tessel {
namespace {

class WaitHookTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0); }
    void TearDown() override {
        ::close(fds[0]);
        ::close(fds[1]);
    }
    int fds[2] = {-1, -1};
};

TEST_F(WaitHookTest, HookRunsWhileNothingArrivesAndTheWaitStillEnds) {
    int calls = 0;
    EXPECT_EQ(pollWaiting(fds[0], POLLIN, 100, [&] { ++calls; }), 0);
    EXPECT_GT(calls, 0);
}

TEST_F(WaitHookTest, InputThatArrivesBetweenSlicesEndsTheWait) {
    int calls = 0;
    // The "window" answers on its second turn; an unlimited wait then ends.
    const auto hook = [&] {
        if (++calls == 2) {
            ASSERT_EQ(::write(fds[1], "x", 1), 1);
        }
    };
    EXPECT_EQ(pollWaiting(fds[0], POLLIN, -1, hook), 1);
    EXPECT_EQ(calls, 2);
}

TEST_F(WaitHookTest, WithoutAHookOrWithNoWaitNothingIsCalled) {
    ASSERT_EQ(::write(fds[1], "x", 1), 1);
    EXPECT_EQ(pollWaiting(fds[0], POLLIN, 100, {}), 1);
    int calls = 0;
    EXPECT_EQ(pollWaiting(fds[0], POLLIN, 0, [&] { ++calls; }), 1);
    EXPECT_EQ(calls, 0);
}

TEST(WaitHookSleep, HookRunsDuringTheSleep) {
    int calls = 0;
    sleepWaiting(std::chrono::milliseconds(60), [&] { ++calls; });
    EXPECT_GT(calls, 0);
}

}  // namespace
}  // namespace tessel
