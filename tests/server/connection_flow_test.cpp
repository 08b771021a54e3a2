// What one connection may make the server do: a burst and a rate of input, a mark for
// output left unread, and the cut for staying past them.
#include <gtest/gtest.h>

#include <chrono>

#include "server/core/connection_flow.h"

namespace tarvel::server::testing {
namespace {

using namespace std::chrono_literals;
using Clock = ConnectionFlow::Clock;
using Over = ConnectionFlow::Over;

const ConnectionFlow::Limits kLimits{1000, 1000, 500, 10s};  // 1,000 bytes at once and a second

class ConnectionFlowTest : public ::testing::Test {
  protected:
    Clock::time_point At(Clock::duration after) const { return start_ + after; }

    Clock::time_point start_ = Clock::now();
    ConnectionFlow flow_{kLimits, start_};
};

TEST_F(ConnectionFlowTest, AClientWithinTheRateIsAlwaysRead) {
    // 800 bytes a second, in reads of 80, for a minute.
    for (int i = 0; i < 600; ++i) {
        flow_.Read(80, At(i * 100ms));
        ASSERT_EQ(flow_.Limit(At(i * 100ms)), Over::Nothing) << "read " << i;
    }
    EXPECT_FALSE(flow_.Overdue(At(60s)));
}

TEST_F(ConnectionFlowTest, ABurstPastTheLimitWaitsUntilItsDebtIsPaidAndIsNotCutWhenItStops) {
    flow_.Read(1500, At(0s));  // one read past the burst: 500 owed
    EXPECT_EQ(flow_.Limit(At(0s)), Over::Input);
    EXPECT_GE(flow_.InputBackAt(), At(500ms));
    EXPECT_LE(flow_.InputBackAt(), At(502ms));
    EXPECT_EQ(flow_.Limit(At(400ms)), Over::Input);
    EXPECT_EQ(flow_.Limit(At(600ms)), Over::Nothing);
    // Quiet after it: the burst is whole again and the clock of the cut starts afresh.
    EXPECT_FALSE(flow_.Overdue(At(20s)));
    flow_.Read(1000, At(20s));
    EXPECT_FALSE(flow_.Overdue(At(29s)));
}

TEST_F(ConnectionFlowTest, AFloodAtTheRateIsCutAfterTheGraceButNotBefore) {
    // Read as soon as it may be read: the reads never let the burst fill up again.
    flow_.Read(1000, At(0s));
    for (;;) {
        const Clock::time_point now = flow_.InputBackAt();
        if (now >= At(10s)) break;
        ASSERT_EQ(flow_.Limit(now), Over::Nothing);
        ASSERT_FALSE(flow_.Overdue(now));
        flow_.Read(200, now);
    }
    EXPECT_TRUE(flow_.Overdue(At(10s)));
    EXPECT_EQ(flow_.CutAt(), At(10s));
}

TEST_F(ConnectionFlowTest, OutputLeftUnreadStopsReadingUntilItDrainsAndIsCutWhenItNeverDoes) {
    struct Case {
        const char* name;
        std::size_t unsent;
        Clock::duration drainsAfter;  // 0: never
        Over whileWaiting;
        bool cut;
    } cases[] = {
        {"below the mark", 500, 0s, Over::Nothing, false},
        {"past the mark, drained in time", 501, 9s, Over::Output, false},
        {"past the mark, never drained", 100000, 0s, Over::Output, true},
    };
    for (const Case& c : cases) {
        ConnectionFlow flow(kLimits, start_);
        flow.Unsent(c.unsent, At(0s));
        EXPECT_EQ(flow.Limit(At(1s)), c.whileWaiting) << c.name;
        if (c.drainsAfter > 0s) flow.Unsent(0, At(c.drainsAfter));
        EXPECT_EQ(flow.Overdue(At(10s)), c.cut) << c.name;
        if (c.drainsAfter > 0s) {
            EXPECT_EQ(flow.Limit(At(10s)), Over::Nothing) << c.name;
        }
    }
}

}  // namespace
}  // namespace tarvel::server::testing
