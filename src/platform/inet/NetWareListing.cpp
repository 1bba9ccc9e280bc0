// Novell NetWare: a type letter, the rights in brackets, the owner, the size, an `ls`-style
// date, and the name after blanks that pad the date column.
//   d [R----F--] supervisor            512       Jan 16 18:53    login
//   - [RWCEAFMS] rhesus             214059       Oct 20  2019    cx.exe

#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

std::optional<ListingEntry> ParseNetWareLine(std::string_view line, std::int64_t nowUtc)
{
    std::size_t pos = 0;
    const std::string_view type = NextField(line, pos);
    const std::string_view rights = NextField(line, pos);
    if (type.size() != 1 || (type[0] != 'd' && type[0] != '-') || rights.size() < 3 || rights.front() != '[' ||
        rights.back() != ']')
        return std::nullopt;
    const std::string_view owner = NextField(line, pos);
    const std::string_view sizeField = NextField(line, pos);
    const std::string_view monthField = NextField(line, pos);
    const std::string_view dayField = NextField(line, pos);
    const std::string_view yearOrTime = NextField(line, pos);
    ListingEntry entry;
    ListingDate date;
    if (owner.empty() || !ParseDecimal(sizeField, entry.size) || (date.month = MonthFromAnyName(monthField)) == 0 ||
        dayField.size() > 2 || !ParseDecimal(dayField, date.day))
        return std::nullopt;
    unsigned year = 0;
    if (ParseFixedDigits(yearOrTime, 4, year))
        date.year = year;
    else if (!ParseClock(yearOrTime, date.hour, date.minute, date.second))
        return std::nullopt;
    const std::optional<std::int64_t> modified = ResolveListingTime(date, nowUtc);
    pos = SkipSpaces(line, pos);
    if (!modified || pos >= line.size())
        return std::nullopt;
    entry.sizeKnown = true;
    entry.isDirectory = type[0] == 'd';
    entry.modified = *modified;
    entry.timeKnown = true;
    entry.name.assign(line.substr(pos));
    return entry;
}
