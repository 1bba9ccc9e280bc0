// VxWorks, as in many routers and embedded boards: size, date with the month's name, time,
// name, and "<DIR>" after the name of a directory.
//     2048    Feb-28-1998  05:23:30   config <DIR>
//     41      MAR-26-2003  16:05:32   startup.cmd

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

std::optional<ListingEntry> ParseVxWorksLine(std::string_view line)
{
    std::size_t pos = 0;
    ListingEntry entry;
    if (!ParseDecimal(NextField(line, pos), entry.size))
        return std::nullopt;
    const std::string_view dateField = NextField(line, pos);
    ListingDate date;
    if (dateField.empty() || IsDigit(dateField.front()) || !ReadNumericDate(dateField, date) || date.year == 0 ||
        !ParseClock(NextField(line, pos), date.hour, date.minute, date.second))
        return std::nullopt;
    pos = SkipSpaces(line, pos);
    std::string_view name = line.substr(pos);
    constexpr std::string_view kDirectoryMark = " <DIR>";
    if (name.size() > kDirectoryMark.size() && name.substr(name.size() - kDirectoryMark.size()) == kDirectoryMark) {
        entry.isDirectory = true;
        name.remove_suffix(kDirectoryMark.size());
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
    }
    if (name.empty())
        return std::nullopt;
    entry.sizeKnown = !entry.isDirectory;
    if (entry.isDirectory)
        entry.size = 0;
    entry.modified = UtcFromCivil(CivilDateTime{date.year, date.month, date.day, date.hour, date.minute, date.second});
    entry.timeKnown = true;
    entry.name.assign(name);
    return entry;
}
