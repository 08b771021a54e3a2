// The moment of a result: local date and time as days since 30 December 1899 00:00,
// the whole part counting days and the fraction the time of day. Before that day the
// whole part counts back and the fraction still runs forward from midnight, so -1.25
// is 29 December 1899 06:00.
#pragma once

#include <optional>
#include <string>

namespace tarvel {

// A local date and time, broken down; months and days count from 1.
struct LocalDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Years 1 to 9999; other dates are not moments.
double MomentFromLocalTime(const LocalDateTime& time);

// The moment rounded to the nearest millisecond (a stored fraction is rarely exact:
// 21:07:00 may be a hair below it) and cut to whole seconds; a moment that is a hair
// below midnight is the next day's 00:00:00. None for a value that is not a number or
// lies outside the years 1 to 9999, as a damaged file may hold.
std::optional<LocalDateTime> LocalTimeFromMoment(double moment);

// Now, on this computer's clock and in its time zone.
LocalDateTime CurrentLocalTime();
double CurrentMoment();

// The table's forms: "6. 12. 2026" (day and month without leading zeros, the year in
// four digits) and "09:05" (seconds not shown). Empty texts for a moment that is no date.
std::string TableDateText(double moment);
std::string TableTimeText(double moment);

}  // namespace tarvel
