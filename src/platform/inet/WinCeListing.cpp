// Windows CE's FTP server: the date as the C library's asctime writes it (weekday, month,
// day, time, year; some builds put the year before the time), then "<DIR>" or the size,
// then the name.
//   Sun Nov 23 14:02:11 2003  <DIR>  Storage Card
//   Mon Mar 28 2005 09:15:00     1234  readme.txt

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

namespace {

bool IsWeekday(std::string_view field)
{
    constexpr std::string_view kDays = "sunmontuewedthufrisat";
    if (field.size() != 3)
        return false;
    for (std::size_t i = 0; i < kDays.size(); i += 3)
        if (EqualsNoCase(field, kDays.substr(i, 3)))
            return true;
    return false;
}

bool ReadYear(std::string_view field, ListingDate& date)
{
    unsigned year = 0;
    if (!ParseFixedDigits(field, 4, year) || year == 0)
        return false;
    date.year = year;
    return true;
}

}  // namespace

std::optional<ListingEntry> ParseWinCeLine(std::string_view line)
{
    std::size_t pos = 0;
    ListingDate date;
    unsigned day = 0;
    if (!IsWeekday(NextField(line, pos)) || (date.month = MonthFromAnyName(NextField(line, pos))) == 0)
        return std::nullopt;
    const std::string_view dayField = NextField(line, pos);
    if (dayField.size() > 2 || !ParseDecimal(dayField, day) || day < 1)
        return std::nullopt;
    date.day = day;
    const std::string_view first = NextField(line, pos);
    const std::string_view second = NextField(line, pos);
    const bool timeFirst = ParseClock(first, date.hour, date.minute, date.second) && ReadYear(second, date);
    if (!timeFirst && !(ReadYear(first, date) && ParseClock(second, date.hour, date.minute, date.second)))
        return std::nullopt;
    if (!IsValidCivilDate(date.year, date.month, date.day))
        return std::nullopt;

    ListingEntry entry;
    const std::string_view column = NextField(line, pos);
    if (EqualsNoCase(column, "<dir>"))
        entry.isDirectory = true;
    else if (ParseDecimal(column, entry.size))
        entry.sizeKnown = true;
    else
        return std::nullopt;
    pos = SkipSpaces(line, pos);
    if (pos >= line.size())
        return std::nullopt;
    entry.modified = UtcFromCivil(CivilDateTime{date.year, date.month, date.day, date.hour, date.minute, date.second});
    entry.timeKnown = true;
    entry.name.assign(line.substr(pos));
    return entry;
}
