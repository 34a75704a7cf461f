#include "sim/sim_faults.h"

#include <gtest/gtest.h>

#include "sim/sim_simulator.h"
#include "sim_test_client.h"

namespace tessel::sim::test {
namespace {

// The client needs the port, known only after start().
class LinkedFaultsTest : public ::testing::Test {
protected:
    LinkedFaultsTest() : sim_(SimulatorOptions{}) {
        sim_.start();
        client_.emplace(TestClient::tcp(sim_.tcpPort()));
    }
    std::int64_t cashIn() { return sim_.registerState().snapshot().cashInSum; }
    void queue(FaultKind kind, std::int64_t value = 0) { sim_.faults().queue(Fault{kind, value}); }
    TestClient& client() { return *client_; }

    Simulator sim_;
    std::optional<TestClient> client_;
};

TEST_F(LinkedFaultsTest, FaultsThatKeepTheCommandFromRunning) {
    queue(FaultKind::nak);
    EXPECT_EQ(client().exchange(70, "0\t1.00\t").kind, Answer::Kind::nak);
    queue(FaultKind::deviceError, -111004);
    EXPECT_EQ(client().exchange(70, "0\t1.00\t").code(), -111004);
    queue(FaultKind::silence);
    EXPECT_EQ(client().exchange(70, "0\t1.00\t").kind, Answer::Kind::timeout);
    EXPECT_EQ(cashIn(), 0);
    // The retry after a NAK or silence runs the command.
    EXPECT_EQ(client().repeat().code(), 0);
    EXPECT_EQ(cashIn(), 100);
}

TEST_F(LinkedFaultsTest, SpoiltAnswersAreRepairedByTheRetryWithoutBookingTwice) {
    queue(FaultKind::wrongChecksum);
    EXPECT_EQ(client().exchange(70, "0\t1.00\t").kind, Answer::Kind::badChecksum);
    EXPECT_EQ(client().repeat().code(), 0);

    const std::uint8_t seq = client().nextSeq();
    queue(FaultKind::wrongSequence);
    const Answer wrongSeq = client().exchange(70, "0\t1.00\t");
    ASSERT_EQ(wrongSeq.kind, Answer::Kind::answer);
    EXPECT_EQ(wrongSeq.seq, seq - 1);
    EXPECT_EQ(client().repeat().seq, seq);

    queue(FaultKind::dropAfter, 5);
    EXPECT_EQ(client().exchange(70, "0\t1.00\t").received.size(), 5u);
    EXPECT_EQ(client().repeat().code(), 0);
    EXPECT_EQ(cashIn(), 300) << "three cash movements, each booked once";
}

TEST_F(LinkedFaultsTest, DelaysAndSynAnswerInTheEnd) {
    queue(FaultKind::syn, 130);
    const Answer busy = client().exchange(74, "");
    EXPECT_EQ(busy.code(), 0);
    EXPECT_EQ(busy.syns, 2);
    queue(FaultKind::delay, 100);
    const Answer late = client().exchange(74, "");
    EXPECT_EQ(late.code(), 0);
    EXPECT_EQ(late.syns, 0);
}

TEST_F(LinkedFaultsTest, DisconnectClosesTheLinkAndTheNextHostIsServed) {
    queue(FaultKind::disconnect);
    EXPECT_EQ(client().exchange(70, "0\t1.00\t").kind, Answer::Kind::closed);
    EXPECT_EQ(cashIn(), 0);
    client_.emplace(TestClient::tcp(sim_.tcpPort()));
    EXPECT_EQ(client().exchange(74, "").code(), 0);
}

TEST(FaultPlan, RatesAreSeededAndReproducible) {
    const FaultRates rates{0.2, 0.2, 0.1, 0.1, 0.1, 0.1};
    FaultPlan a(rates, 42);
    FaultPlan b(rates, 42);
    int hits = 0;
    for (int i = 0; i < 200; ++i) {
        const auto fa = a.next();
        const auto fb = b.next();
        ASSERT_EQ(fa.has_value(), fb.has_value());
        if (!fa) continue;
        ++hits;
        EXPECT_EQ(fa->kind, fb->kind);
        EXPECT_EQ(fa->value, fb->value);
    }
    EXPECT_GT(hits, 100);
    EXPECT_LT(hits, 200);
    FaultPlan never({}, 1);
    FaultPlan always({1, 0, 0, 0, 0, 0}, 1);
    for (int i = 0; i < 50; ++i) {
        EXPECT_FALSE(never.next());
        EXPECT_EQ(always.next()->kind, FaultKind::nak);
    }
}

TEST(FaultPlan, QueuedFaultsComeFirstInOrder) {
    FaultPlan plan({1, 0, 0, 0, 0, 0}, 1);
    plan.queue({FaultKind::delay, 5});
    plan.queue({FaultKind::deviceError, -1});
    EXPECT_EQ(plan.next()->kind, FaultKind::delay);
    EXPECT_EQ(plan.next()->value, -1);
    EXPECT_EQ(plan.next()->kind, FaultKind::nak);
}

TEST(FaultPlan, ParsesRatesAndNamesWhatIsWrong) {
    std::string error;
    const auto rates = parseFaultRates("nak=0.1,disconnect=1,bcc=0", error);
    ASSERT_TRUE(rates);
    EXPECT_DOUBLE_EQ(rates->nak, 0.1);
    EXPECT_DOUBLE_EQ(rates->disconnect, 1);
    for (const char* bad : {"nak", "nak=2", "nak=-0.1", "nak=x", "flood=0.5", "nak=0.1,"}) {
        EXPECT_FALSE(parseFaultRates(bad, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace tessel::sim::test
