// The listings of small embedded servers (cameras, printers, PLCs, old SSH-era servers) whose
// lines hold only a size, a date (with or without a time) and a name; a trailing "/" marks a
// directory, as does "<DIR>" in place of the size.
//   206876  Apr 04, 2000 21:06 photo.jpg
//   0  Dec 12, 2002 02:13 logs/
//   1024  2004-07-15 12:00 config.xml
//   512   15.07.2004  data.bin
//   <DIR> 2004-07-15 08:30 www

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

namespace {

// "Apr 04, 2000", "Apr 4 2000": takes the two columns after the month's.
bool ReadNamedDate(std::string_view month, std::string_view day, std::string_view year, ListingDate& date)
{
    if (!day.empty() && day.back() == ',')
        day.remove_suffix(1);
    unsigned yearValue = 0;
    if ((date.month = MonthFromAnyName(month)) == 0 || day.size() > 2 || !ParseDecimal(day, date.day) ||
        !ParseFixedDigits(year, 4, yearValue) || yearValue == 0)
        return false;
    date.year = yearValue;
    return IsValidCivilDate(date.year, date.month, date.day);
}

}  // namespace

std::optional<ListingEntry> ParseEmbeddedLine(std::string_view line)
{
    std::size_t pos = 0;
    ListingEntry entry;
    const std::string_view sizeField = NextField(line, pos);
    if (EqualsNoCase(sizeField, "<dir>"))
        entry.isDirectory = true;
    else if (ParseDecimal(sizeField, entry.size))
        entry.sizeKnown = true;
    else
        return std::nullopt;

    ListingDate date;
    const std::string_view first = NextField(line, pos);
    if (!ReadNumericDate(first, date) || date.year == 0) {
        const std::string_view day = NextField(line, pos);
        if (!ReadNamedDate(first, day, NextField(line, pos), date))
            return std::nullopt;
    }
    const std::size_t afterDate = pos;
    if (!ParseClock(NextField(line, pos), date.hour, date.minute, date.second))
        pos = afterDate;
    pos = SkipSpaces(line, pos);
    std::string_view name = line.substr(pos);
    if (!name.empty() && name.back() == '/') {
        entry.isDirectory = true;
        name.remove_suffix(1);
    }
    if (name.empty())
        return std::nullopt;
    if (entry.isDirectory) {
        entry.size = 0;
        entry.sizeKnown = false;
    }
    entry.modified = UtcFromCivil(CivilDateTime{date.year, date.month, date.day, date.hour, date.minute, date.second});
    entry.timeKnown = true;
    entry.name.assign(name);
    return entry;
}
