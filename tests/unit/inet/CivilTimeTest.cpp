#include "platform/inet/CivilTime.h"

#include <gtest/gtest.h>

namespace {

CivilDateTime At(std::int64_t y, unsigned mo, unsigned d, unsigned h = 0, unsigned mi = 0, unsigned s = 0)
{
    return CivilDateTime{y, mo, d, h, mi, s};
}

TEST(CivilTime, MatchesKnownMomentsOnBothSidesOf1970And2038)
{
    // Values from GNU date (date -u -d ... +%s).
    EXPECT_EQ(UtcFromCivil(At(1970, 1, 1)), 0);
    EXPECT_EQ(UtcFromCivil(At(1969, 7, 20, 20, 17)), -14182980);
    EXPECT_EQ(UtcFromCivil(At(1900, 1, 1)), -2208988800);
    EXPECT_EQ(UtcFromCivil(At(1601, 1, 1)), -11644473600);
    EXPECT_EQ(UtcFromCivil(At(1, 1, 1)), kEarliestCivilTime);
    EXPECT_EQ(UtcFromCivil(At(2038, 1, 19, 3, 14, 8)), 2147483648);
    EXPECT_EQ(UtcFromCivil(At(2100, 3, 1)), 4107542400);
    EXPECT_EQ(UtcFromCivil(At(2261, 1, 1)), 9183110400);
    EXPECT_EQ(UtcFromCivil(At(9999, 12, 31, 23, 59, 59)), kLatestCivilTime);
    EXPECT_EQ(UtcFromCivil(At(2024, 2, 29, 12)), 1709208000);
}

TEST(CivilTime, RoundTripsEveryDayOfTenThousandYears)
{
    const std::int64_t first = DaysFromCivil(1, 1, 1);
    const std::int64_t last = DaysFromCivil(9999, 12, 31);
    std::int64_t year = 1;
    unsigned month = 1;
    unsigned day = 1;
    for (std::int64_t days = first; days <= last; ++days) {
        std::int64_t y = 0;
        unsigned m = 0;
        unsigned d = 0;
        CivilFromDays(days, y, m, d);
        ASSERT_EQ(y, year) << days;
        ASSERT_EQ(m, month) << days;
        ASSERT_EQ(d, day) << days;
        ASSERT_EQ(DaysFromCivil(y, m, d), days);
        // Step the expected calendar by hand.
        if (++day > DaysInMonth(year, month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
}

TEST(CivilTime, SplitsNegativeSecondsIntoTheRightDay)
{
    const CivilDateTime t = CivilFromUtc(-1);
    EXPECT_EQ(t.year, 1969);
    EXPECT_EQ(t.month, 12u);
    EXPECT_EQ(t.day, 31u);
    EXPECT_EQ(t.hour, 23u);
    EXPECT_EQ(t.minute, 59u);
    EXPECT_EQ(t.second, 59u);
}

TEST(CivilTime, KnowsLeapYears)
{
    EXPECT_TRUE(IsValidCivilDate(2000, 2, 29));
    EXPECT_TRUE(IsValidCivilDate(2024, 2, 29));
    EXPECT_FALSE(IsValidCivilDate(1900, 2, 29));
    EXPECT_FALSE(IsValidCivilDate(2026, 2, 29));
    EXPECT_FALSE(IsValidCivilDate(2026, 4, 31));
    EXPECT_FALSE(IsValidCivilDate(2026, 13, 1));
    EXPECT_FALSE(IsValidCivilDate(2026, 1, 0));
}

}  // namespace
