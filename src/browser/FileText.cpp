#include "browser/FileText.h"

#include <cstdio>
#include <ctime>
#include <limits>

namespace {

constexpr int kHoursPerHalfDay = 12;
constexpr long long kYearsPerCentury = 100;
constexpr long long kTmYearBase = 1900;
// "mm/dd/yy  hh:mm:ss  AM" needs 23 with its terminator; the rest quiets the compiler's
// worst case for int fields.
constexpr std::size_t kTextBufferSize = 64;

}  // namespace

std::string FormatModified(std::int64_t utcSeconds)
{
    if (utcSeconds < std::numeric_limits<std::time_t>::min() || utcSeconds > std::numeric_limits<std::time_t>::max())
        return std::string();
    const auto when = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr)
        return std::string();

    // Built from the fields rather than with strftime: "%p" follows LC_TIME, which the GUI
    // toolkit sets from the user's environment.
    const long long year = static_cast<long long>(local.tm_year) + kTmYearBase;
    const long long shortYear = ((year % kYearsPerCentury) + kYearsPerCentury) % kYearsPerCentury;
    const int hour = local.tm_hour % kHoursPerHalfDay == 0 ? kHoursPerHalfDay : local.tm_hour % kHoursPerHalfDay;
    const char* half = local.tm_hour < kHoursPerHalfDay ? "AM" : "PM";

    char text[kTextBufferSize];
    std::snprintf(text, sizeof text, "%02d/%02d/%02lld  %02d:%02d:%02d  %s", local.tm_mon + 1, local.tm_mday,
                  shortYear, hour, local.tm_min, local.tm_sec, half);
    return text;
}

std::string FormatSize(std::uint64_t bytes)
{
    return std::to_string(bytes);
}
