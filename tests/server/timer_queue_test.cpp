// The game's timers in one queue: a silent player is dropped when his time is up, never
// before, never twice, and never once his timer was stopped or restarted.
#include "server/timer_queue.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QtTest/QTest>
#include <string>
#include <vector>

namespace tarvel::server {
namespace {

using std::chrono::milliseconds;

class TimerQueueTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "timer_queue_test";
            static char* argv[] = {name, nullptr};
            new QCoreApplication(argc, argv);
        }
    }
    std::unique_ptr<SetupTimer> Make(const std::string& name) {
        return queue.MakeTimer([this, name] { ran.push_back(name); });
    }
    TimerQueue queue;
    std::vector<std::string> ran;
};

TEST_F(TimerQueueTest, EachTimerRunsOnceAtItsLatestStartAndNeverOnceStoppedOrGone) {
    auto late = Make("late");
    auto restarted = Make("restarted");
    auto stopped = Make("stopped");
    auto gone = Make("gone");
    auto first = Make("first");
    auto second = Make("second");
    late->Start(milliseconds(120));
    restarted->Start(milliseconds(10));
    restarted->Start(milliseconds(80));  // the earlier start no longer counts
    stopped->Start(milliseconds(10));
    stopped->Stop();
    gone->Start(milliseconds(10));
    gone.reset();
    first->Start(milliseconds(40));
    second->Start(milliseconds(40));
    // The order tells the times apart, however slow the machine: a restart counts from
    // its own start, and equal times run in the order they were set.
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran.size() == 4; }, 2000));
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second", "restarted", "late"}));
    QTest::qWait(50);
    EXPECT_EQ(ran.size(), 4u);
    EXPECT_EQ(queue.Pending(), 0u);
}

// A short wait set while a long one is pending (a settings answer beside a player's idle
// time) runs in its own time, not when the long one is due.
TEST_F(TimerQueueTest, AShortTimerSetAfterALongOneRunsInItsOwnTime) {
    auto idle = Make("idle");
    auto settings = Make("settings");
    idle->Start(milliseconds(5000));
    settings->Start(milliseconds(20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !ran.empty(); }, 2000)) << "the short timer waited for the long one";
    EXPECT_EQ(ran, (std::vector<std::string>{"settings"}));
}

TEST_F(TimerQueueTest, ATimerStartedByAnotherRunsAndOneStoppedByAnotherDoesNot) {
    auto chained = Make("chained");
    auto victim = Make("victim");
    auto starter = queue.MakeTimer([&] {
        ran.push_back("starter");
        chained->Start(milliseconds(0));
        victim->Stop();
    });
    starter->Start(milliseconds(5));
    victim->Start(milliseconds(5));  // due at the same time, after the starter
    ASSERT_TRUE(QTest::qWaitFor([&] { return ran.size() >= 2; }, 2000));
    QTest::qWait(30);
    EXPECT_EQ(ran, (std::vector<std::string>{"starter", "chained"}));
}

}  // namespace
}  // namespace tarvel::server
