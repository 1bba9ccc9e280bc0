#include "browser/FileText.h"

#include <ctime>
#include <limits>

namespace {

constexpr int kHoursPerHalfDay = 12;
constexpr long long kYearsPerCentury = 100;
constexpr long long kTmYearBase = 1900;

// Two decimal digits of a value from 0 to 99. Written by hand: a listing formats tens of
// thousands of times, and the printf family costs several times the rest of the row.
void AppendTwoDigits(std::string& text, long long value)
{
    text.push_back(static_cast<char>('0' + value / 10));
    text.push_back(static_cast<char>('0' + value % 10));
}

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

    // "mm/dd/yy  hh:mm:ss  AM"
    std::string text;
    text.reserve(22);
    AppendTwoDigits(text, local.tm_mon + 1);
    text.push_back('/');
    AppendTwoDigits(text, local.tm_mday);
    text.push_back('/');
    AppendTwoDigits(text, shortYear);
    text.append("  ");
    AppendTwoDigits(text, hour);
    text.push_back(':');
    AppendTwoDigits(text, local.tm_min);
    text.push_back(':');
    AppendTwoDigits(text, local.tm_sec);
    text.append(local.tm_hour < kHoursPerHalfDay ? "  AM" : "  PM");
    return text;
}

std::string FormatSize(std::uint64_t bytes)
{
    return std::to_string(bytes);
}
