#include "server/core/admission.h"

#include <gtest/gtest.h>

namespace tarvel::server {
namespace {

using Verdict = Admission::Verdict;
using std::chrono::seconds;

TEST(Admission, OneAddressCannotTakeMoreThanItsShare) {
    Admission admission;
    admission.SetLimits(3, 5);
    const Admission::Clock::time_point now{};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(admission.Arrive("127.0.0.2", now), Verdict::Welcome);
    EXPECT_EQ(admission.Arrive("127.0.0.2", now), Verdict::TooManyFromAddress);
    EXPECT_EQ(admission.Arrive("127.0.0.3", now), Verdict::Welcome);
    EXPECT_EQ(admission.Arrive("127.0.0.4", now), Verdict::Welcome);
    EXPECT_EQ(admission.Arrive("127.0.0.5", now), Verdict::TooMany);
    admission.Leave("127.0.0.2", now);
    EXPECT_EQ(admission.Connections(), 4);
    EXPECT_EQ(admission.Arrive("127.0.0.5", now), Verdict::Welcome);
}

TEST(Admission, AnAddressWhoseSetUpsKeepFailingPausesLongerEachTime) {
    Admission admission;
    Admission::Clock::time_point now{};
    for (int i = 0; i < Admission::kFailuresAllowed; ++i) admission.SetupFailed("127.0.0.2", now);
    EXPECT_EQ(admission.Arrive("127.0.0.2", now), Verdict::Welcome);  // an honest mistake or two
    admission.Leave("127.0.0.2", now);
    admission.SetupFailed("127.0.0.2", now);
    EXPECT_EQ(admission.Arrive("127.0.0.2", now), Verdict::Pausing);
    EXPECT_EQ(admission.Arrive("127.0.0.3", now), Verdict::Welcome);  // nobody else
    now += Admission::kFirstPause;
    EXPECT_EQ(admission.Arrive("127.0.0.2", now), Verdict::Welcome);
    admission.SetupFailed("127.0.0.2", now);
    EXPECT_EQ(admission.Arrive("127.0.0.2", now + Admission::kFirstPause), Verdict::Pausing);
    EXPECT_EQ(admission.Arrive("127.0.0.2", now + 2 * Admission::kFirstPause), Verdict::Welcome);
    // Failures long past are forgotten.
    now += Admission::kFailureMemory + seconds(1) + 2 * Admission::kFirstPause;
    admission.SetupFailed("127.0.0.2", now);
    EXPECT_EQ(admission.Arrive("127.0.0.2", now), Verdict::Welcome);
}

// tarvelweb brings every player of its page from one address and limits them per player
// itself: past the share of one address, and after failed set-ups, its players still come
// in; the limit in all still holds.
TEST(Admission, ATrustedAddressIsCountedOnlyInAll) {
    Admission admission;
    admission.SetLimits(2, 4);
    admission.SetTrusted({"127.0.0.1"});
    const Admission::Clock::time_point now{};
    for (int i = 0; i <= Admission::kFailuresAllowed; ++i) admission.SetupFailed("127.0.0.1", now);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(admission.Arrive("127.0.0.1", now), Verdict::Welcome);
    EXPECT_EQ(admission.Arrive("127.0.0.2", now), Verdict::Welcome);
    EXPECT_EQ(admission.Arrive("127.0.0.1", now), Verdict::TooMany);
}

}  // namespace
}  // namespace tarvel::server
