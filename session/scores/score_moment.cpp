#include "session/scores/score_moment.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace tarvel {

namespace {

namespace chrono = std::chrono;

constexpr chrono::sys_days kDayZero = chrono::sys_days{chrono::year{1899} / 12 / 30};
constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
constexpr std::int64_t kFirstDay = (chrono::sys_days{chrono::year{1} / 1 / 1} - kDayZero).count();
constexpr std::int64_t kLastDay = (chrono::sys_days{chrono::year{9999} / 12 / 31} - kDayZero).count();

std::string TwoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

}  // namespace

double MomentFromLocalTime(const LocalDateTime& time) {
    const chrono::year_month_day date{chrono::year{time.year}, chrono::month{static_cast<unsigned>(time.month)},
                                      chrono::day{static_cast<unsigned>(time.day)}};
    const auto days = static_cast<double>((chrono::sys_days{date} - kDayZero).count());
    const double fraction = (time.hour * 3600 + time.minute * 60 + time.second) / 86'400.0;
    return days < 0 ? days - fraction : days + fraction;
}

std::optional<LocalDateTime> LocalTimeFromMoment(double moment) {
    if (!std::isfinite(moment) || moment <= static_cast<double>(kFirstDay - 1) ||
        moment >= static_cast<double>(kLastDay + 1)) {
        return std::nullopt;
    }
    const double whole = std::trunc(moment);
    auto day = static_cast<std::int64_t>(whole);
    std::int64_t milliseconds = std::llround(std::fabs(moment - whole) * static_cast<double>(kMillisecondsPerDay));
    if (milliseconds >= kMillisecondsPerDay) {
        milliseconds -= kMillisecondsPerDay;
        day += moment < 0 ? -1 : 1;
    }
    if (day < kFirstDay || day > kLastDay) return std::nullopt;

    const chrono::year_month_day date{kDayZero + chrono::days{day}};
    const auto seconds = static_cast<int>(milliseconds / 1000);
    return LocalDateTime{static_cast<int>(date.year()),
                         static_cast<int>(static_cast<unsigned>(date.month())),
                         static_cast<int>(static_cast<unsigned>(date.day())),
                         seconds / 3600,
                         seconds / 60 % 60,
                         seconds % 60};
}

LocalDateTime CurrentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &now);
#else
    localtime_r(&now, &parts);
#endif
    // A leap second (60) is shown as the last ordinary one.
    return LocalDateTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                         parts.tm_hour,        parts.tm_min,     parts.tm_sec > 59 ? 59 : parts.tm_sec};
}

double CurrentMoment() {
    return MomentFromLocalTime(CurrentLocalTime());
}

std::string TableDateText(double moment) {
    const auto time = LocalTimeFromMoment(moment);
    if (!time) return {};
    std::string year = std::to_string(time->year);
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return std::to_string(time->day) + ". " + std::to_string(time->month) + ". " + year;
}

std::string TableTimeText(double moment) {
    const auto time = LocalTimeFromMoment(moment);
    if (!time) return {};
    return TwoDigits(time->hour) + ":" + TwoDigits(time->minute);
}

}  // namespace tarvel
