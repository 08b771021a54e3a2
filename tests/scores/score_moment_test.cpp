#include "session/scores/score_moment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvel {
namespace {

TEST(ScoreMomentTest, DaysSinceTheLastDaysOf1899) {
    struct Case {
        LocalDateTime time;
        double moment;
    };
    const Case cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},     {{1899, 12, 31, 0, 0, 0}, 1.0},
        {{2000, 1, 1, 0, 0, 0}, 36526.0},   {{2025, 12, 9, 12, 0, 0}, 46000.5},
        {{2024, 2, 29, 18, 0, 0}, 45351.75},  // a leap day
        {{1899, 12, 29, 6, 0, 0}, -1.25},   // before day zero the fraction still runs forward
        {{1, 1, 1, 0, 0, 0}, -693593.0},    {{9999, 12, 31, 0, 0, 0}, 2958465.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(MomentFromLocalTime(c.time), c.moment) << c.moment;
        EXPECT_EQ(LocalTimeFromMoment(c.moment), c.time) << c.moment;
    }
}

TEST(ScoreMomentTest, EverySecondOfADayComesBackAsItWas) {
    for (int second = 0; second < 86400; second += 7) {
        const LocalDateTime time{2026, 12, 6, second / 3600, second / 60 % 60, second % 60};
        EXPECT_EQ(LocalTimeFromMoment(MomentFromLocalTime(time)), time) << second;
    }
    const LocalDateTime now = CurrentLocalTime();
    EXPECT_EQ(LocalTimeFromMoment(CurrentMoment()).value_or(LocalDateTime{}).year, now.year);
}

TEST(ScoreMomentTest, TheTableShowsDayMonthYearAndHoursMinutes) {
    const double evening = MomentFromLocalTime({2026, 12, 6, 21, 7, 0});
    EXPECT_EQ(TableDateText(evening), "6. 12. 2026");
    EXPECT_EQ(TableTimeText(evening), "21:07");
    // A hair below the minute is still that minute, and seconds do not round up.
    EXPECT_EQ(TableTimeText(std::nextafter(evening, 0.0)), "21:07");
    EXPECT_EQ(TableTimeText(MomentFromLocalTime({2026, 12, 6, 21, 7, 59})), "21:07");
    EXPECT_EQ(TableTimeText(MomentFromLocalTime({2026, 1, 2, 8, 3, 0})), "08:03");
    EXPECT_EQ(TableDateText(MomentFromLocalTime({2026, 1, 2, 8, 3, 0})), "2. 1. 2026");
    EXPECT_EQ(TableDateText(0.0), "30. 12. 1899");
    EXPECT_EQ(TableTimeText(0.0), "00:00");
    EXPECT_EQ(TableDateText(-693593.0), "1. 1. 0001");
}

TEST(ScoreMomentTest, TheEndOfADayNeverShowsTwentyFourOClock) {
    EXPECT_EQ(TableDateText(0.999999), "30. 12. 1899");
    EXPECT_EQ(TableTimeText(0.999999), "23:59");
    // Within half a millisecond of midnight it is the next day.
    EXPECT_EQ(TableDateText(0.99999999999), "31. 12. 1899");
    EXPECT_EQ(TableTimeText(0.99999999999), "00:00");
    EXPECT_EQ(TableDateText(-1.99999999999), "28. 12. 1899");
    EXPECT_EQ(TableTimeText(-1.99999999999), "00:00");
}

TEST(ScoreMomentTest, AMomentThatIsNoDateShowsNothing) {
    for (const double damaged : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(), 1e300, -1e300, 2958466.0, -693594.5}) {
        EXPECT_EQ(LocalTimeFromMoment(damaged), std::nullopt) << damaged;
        EXPECT_EQ(TableDateText(damaged), "") << damaged;
        EXPECT_EQ(TableTimeText(damaged), "") << damaged;
    }
}

}  // namespace
}  // namespace tarvel
