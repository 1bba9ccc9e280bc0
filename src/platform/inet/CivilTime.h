#pragma once
// Calendar arithmetic in UTC on the proleptic Gregorian calendar, without the C library's
// timegm/mktime: those depend on the process's time zone, are slow, and on some systems stop
// at 1970 or 2038. Listings carry dates on both sides of both.

#include <cstdint>

struct CivilDateTime {
    std::int64_t year = 1970;
    unsigned month = 1;   // 1..12
    unsigned day = 1;     // 1..31
    unsigned hour = 0;
    unsigned minute = 0;
    unsigned second = 0;
};

inline constexpr std::int64_t kSecondsPerDay = 86400;
// The span of four-digit years, 0001-01-01T00:00:00Z to 9999-12-31T23:59:59Z. Clamping to it
// keeps every sum of seconds far from the limits of 64 bits.
inline constexpr std::int64_t kEarliestCivilTime = -62135596800;
inline constexpr std::int64_t kLatestCivilTime = 253402300799;

constexpr bool IsLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

constexpr unsigned DaysInMonth(std::int64_t year, unsigned month)
{
    constexpr unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

constexpr bool IsValidCivilDate(std::int64_t year, unsigned month, unsigned day)
{
    return day >= 1 && day <= DaysInMonth(year, month);
}

// Days since 1970-01-01. Counting years from March puts the leap day at the end of the year,
// so a 400-year era has a fixed length and every step is plain integer division.
constexpr std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day)
{
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr void CivilFromDays(std::int64_t days, std::int64_t& year, unsigned& month, unsigned& day)
{
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<unsigned>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<unsigned>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

constexpr std::int64_t UtcFromCivil(const CivilDateTime& t)
{
    return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600 +
           t.minute * 60 + t.second;
}

constexpr CivilDateTime CivilFromUtc(std::int64_t seconds)
{
    std::int64_t days = seconds / kSecondsPerDay;
    std::int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    CivilDateTime t;
    CivilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<unsigned>(rest / 3600);
    t.minute = static_cast<unsigned>(rest % 3600 / 60);
    t.second = static_cast<unsigned>(rest % 60);
    return t;
}
