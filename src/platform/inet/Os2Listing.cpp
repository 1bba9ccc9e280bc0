// OS/2: the size, attribute letters and "DIR" for a directory, the date (month first, the
// year counted from 1900 by servers that were not ready for 2000), the time, the name.
//        36611      A    04-23-103  10:57  report.txt
//            0 DIR       02-11-103  16:15  archive

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

namespace {

// Attribute columns between the size and the date: DIR and the letters A, H, R, S.
constexpr std::size_t kMaxAttributeColumns = 3;

bool IsAttributeColumn(std::string_view field)
{
    if (field == "DIR")
        return true;
    for (const char c : field)
        if (c != 'A' && c != 'H' && c != 'R' && c != 'S')
            return false;
    return !field.empty() && field.size() <= 4;
}

}  // namespace

std::optional<ListingEntry> ParseOs2Line(std::string_view line)
{
    std::size_t pos = 0;
    ListingEntry entry;
    if (!ParseDecimal(NextField(line, pos), entry.size))
        return std::nullopt;
    std::string_view field = NextField(line, pos);
    for (std::size_t i = 0; i < kMaxAttributeColumns && IsAttributeColumn(field); ++i) {
        entry.isDirectory = entry.isDirectory || field == "DIR";
        field = NextField(line, pos);
    }
    ListingDate date;
    // The date is month-day-year with dashes; its year has two or three digits.
    if (field.size() < 8 || field[2] != '-' || field[5] != '-' || !ReadNumericDate(field, date) || date.year == 0)
        return std::nullopt;
    if (!ParseClock(NextField(line, pos), date.hour, date.minute, date.second))
        return std::nullopt;
    pos = SkipSpaces(line, pos);
    if (pos >= line.size())
        return std::nullopt;
    entry.sizeKnown = true;
    entry.modified = UtcFromCivil(CivilDateTime{date.year, date.month, date.day, date.hour, date.minute, 0});
    entry.timeKnown = true;
    entry.name.assign(line.substr(pos));
    return entry;
}
