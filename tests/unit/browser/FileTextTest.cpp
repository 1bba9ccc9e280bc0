#include "browser/FileText.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <memory>

namespace {

// Sets the time zone for the lifetime of the object.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const std::string& zone) : m_env("TZ", zone) { tzset(); }

private:
    // Declared first so that it runs last, after the variable is back.
    struct Reset {
        ~Reset() { tzset(); }
    } m_reset;
    ScopedEnv m_env;
};

// 1998-12-31 23:59:59 UTC.
constexpr std::int64_t kLastSecondOf1998 = 915148799;
constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kSecondsPerDay = 86400;

}  // namespace

TEST(FormatModifiedTest, WritesMonthDayYearTwelveHourTimeAndHalfDay)
{
    ScopedTimeZone utc("UTC");
    EXPECT_EQ(FormatModified(kLastSecondOf1998), "12/31/98  11:59:59  PM");
    EXPECT_EQ(FormatModified(kLastSecondOf1998 + 1), "01/01/99  12:00:00  AM");
    EXPECT_EQ(FormatModified(0), "01/01/70  12:00:00  AM");
}

TEST(FormatModifiedTest, HalfDaysTurnAtNoonAndMidnight)
{
    ScopedTimeZone utc("UTC");
    const std::int64_t noon = 12 * kSecondsPerHour;
    EXPECT_EQ(FormatModified(noon - 1), "01/01/70  11:59:59  AM");
    EXPECT_EQ(FormatModified(noon), "01/01/70  12:00:00  PM");
    EXPECT_EQ(FormatModified(noon + kSecondsPerHour), "01/01/70  01:00:00  PM");
    EXPECT_EQ(FormatModified(kSecondsPerDay - 1), "01/01/70  11:59:59  PM");
    EXPECT_EQ(FormatModified(kSecondsPerDay), "01/02/70  12:00:00  AM");
    EXPECT_EQ(FormatModified(kSecondsPerDay + kSecondsPerHour), "01/02/70  01:00:00  AM");
}

TEST(FormatModifiedTest, TimesBefore1970AndAfter2038)
{
    ScopedTimeZone utc("UTC");
    EXPECT_EQ(FormatModified(-1), "12/31/69  11:59:59  PM");
    EXPECT_EQ(FormatModified(-631152000), "01/01/50  12:00:00  AM");
    EXPECT_EQ(FormatModified(-2208988800 + 13 * kSecondsPerHour), "01/01/00  01:00:00  PM");   // 1900
    EXPECT_EQ(FormatModified(2147483647), "01/19/38  03:14:07  AM");
    EXPECT_EQ(FormatModified(2147483648), "01/19/38  03:14:08  AM");
    EXPECT_EQ(FormatModified(4102444800 - 1), "12/31/99  11:59:59  PM");   // 2099
    EXPECT_EQ(FormatModified(4102444800 + 15 * kSecondsPerHour), "01/01/00  03:00:00  PM");   // 2100
}

TEST(FormatModifiedTest, UsesLocalTime)
{
    ScopedTimeZone east("XYZ-3");   // three hours ahead of UTC
    EXPECT_EQ(FormatModified(0), "01/01/70  03:00:00  AM");
    EXPECT_EQ(FormatModified(kLastSecondOf1998), "01/01/99  02:59:59  AM");
}

TEST(FormatModifiedTest, TimeBeyondTheCalendarGivesEmptyText)
{
    ScopedTimeZone utc("UTC");
    EXPECT_EQ(FormatModified(std::numeric_limits<std::int64_t>::max()), "");
    EXPECT_EQ(FormatModified(std::numeric_limits<std::int64_t>::min()), "");
}

// The GUI toolkit sets the process locale from the environment; the text must not follow it.
// No locale but C is installed on a bare system, so the suite builds one of its own whose
// half-day names are not AM and PM.
class FormatModifiedInLocaleTest : public ::testing::Test {
protected:
    static constexpr const char* kLocale = "ko_KR.UTF-8";

    static void SetUpTestSuite()
    {
        s_folder = std::make_unique<TempDir>();
        const std::string command =
            "localedef -i ko_KR -f UTF-8 '" + (s_folder->Path() / kLocale).string() + "' >/dev/null 2>&1";
        s_built = std::system(command.c_str()) == 0;
    }
    static void TearDownTestSuite() { s_folder.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_built) << "localedef could not build " << kLocale << " (package locales)";
        m_locPath = std::make_unique<ScopedEnv>("LOCPATH", s_folder->Str());
        m_all = std::make_unique<ScopedEnv>("LC_ALL", kLocale);
        ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr);
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }

    static std::string PlatformHalfDay(std::int64_t utcSeconds)
    {
        const auto when = static_cast<std::time_t>(utcSeconds);
        std::tm local{};
        localtime_r(&when, &local);
        char text[64] = {};
        std::strftime(text, sizeof text, "%p", &local);
        return text;
    }

    static inline std::unique_ptr<TempDir> s_folder;
    static inline bool s_built = false;
    std::unique_ptr<ScopedEnv> m_locPath;
    std::unique_ptr<ScopedEnv> m_all;
};

TEST_F(FormatModifiedInLocaleTest, HalfDaysAreAmAndPmWhateverTheLocale)
{
    ScopedTimeZone utc("UTC");
    // The locale is really in effect: the platform names the half-days otherwise.
    ASSERT_NE(PlatformHalfDay(kLastSecondOf1998), "PM");
    EXPECT_EQ(FormatModified(kLastSecondOf1998), "12/31/98  11:59:59  PM");
    EXPECT_EQ(FormatModified(0), "01/01/70  12:00:00  AM");
    EXPECT_EQ(FormatModified(12 * kSecondsPerHour), "01/01/70  12:00:00  PM");
}

TEST(FormatSizeTest, WritesDecimalBytesBeyondFourGibibytes)
{
    EXPECT_EQ(FormatSize(0), "0");
    EXPECT_EQ(FormatSize(10240), "10240");
    // A signed 32-bit size would show these as negative or wrapped.
    EXPECT_EQ(FormatSize(2147483648ULL), "2147483648");
    EXPECT_EQ(FormatSize(4294967296ULL), "4294967296");
    EXPECT_EQ(FormatSize((5ULL << 30) + 7), "5368709127");
    EXPECT_EQ(FormatSize(std::numeric_limits<std::uint64_t>::max()), "18446744073709551615");
}
