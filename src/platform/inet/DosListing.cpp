// MS-DOS/IIS lines:
//   01-16-02  11:14AM       <DIR>          epsgroup
//   01-16-2002  11:14PM                 1234 file name
//   2002-09-02  19:06                9,730 file name
// The name follows the blanks after the size column; IIS pads that column, so blanks that
// begin a name cannot be told from the padding.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

#include <cstdint>

using namespace listing;

namespace {

// "01-16-02", "01-16-2002", "2002-09-02", and the dotted European "16.01.2002".
bool ReadDate(std::string_view field, CivilDateTime& t)
{
    // Two or four digits of year: "01-16-002" is no date of this layout.
    ListingDate date;
    if ((field.size() != 8 && field.size() != 10) || !ReadNumericDate(field, date) || date.year == 0)
        return false;
    t.year = date.year;
    t.month = date.month;
    t.day = date.day;
    return true;
}

// "1234", or with thousands separators as some servers write it: "9,730", "1.234.567".
bool ReadSize(std::string_view field, std::uint64_t& size)
{
    if (ParseDecimal(field, size))
        return true;
    const std::size_t first = field.find_first_of(",.");
    if (first == std::string_view::npos || first == 0 || first > 3)
        return false;
    const char separator = field[first];
    std::string_view rest = field;
    std::uint64_t value = 0;
    constexpr std::uint64_t kLargestBeforeGroup = UINT64_MAX / 1000;
    for (bool leading = true; !rest.empty(); leading = false) {
        const std::size_t at = rest.find(separator);
        const std::string_view group = rest.substr(0, at);
        std::uint64_t digits = 0;
        if ((leading ? group.size() > 3 : group.size() != 3) || !ParseDecimal(group, digits))
            return false;
        if (!leading) {
            if (value > kLargestBeforeGroup || value * 1000 > UINT64_MAX - digits)
                return false;
            value *= 1000;
        }
        value += digits;
        if (at == std::string_view::npos)
            break;
        rest = rest.substr(at + 1);
        if (rest.empty())
            return false;
    }
    size = value;
    return true;
}

// "11:14AM" or "11:14PM" (12AM is midnight, 12PM noon), or a 24-hour "23:14".
bool ReadTime(std::string_view field, std::string_view meridiem, CivilDateTime& t)
{
    if (meridiem.empty() && field.size() > 2) {
        const std::string_view tail = field.substr(field.size() - 2);
        if (EqualsNoCase(tail, "am") || EqualsNoCase(tail, "pm")) {
            meridiem = tail;
            field.remove_suffix(2);
        }
    }
    unsigned second = 0;
    if (!ParseClock(field, t.hour, t.minute, second))
        return false;
    t.second = second;
    if (meridiem.empty())
        return true;
    if (t.hour < 1 || t.hour > 12)
        return false;
    const bool pm = ToLowerAscii(meridiem[0]) == 'p';
    t.hour = t.hour % 12 + (pm ? 12 : 0);
    return true;
}

}  // namespace

std::optional<ListingEntry> ParseDosListingLine(std::string_view line)
{
    std::size_t pos = 0;
    CivilDateTime t;
    if (!ReadDate(NextField(line, pos), t))
        return std::nullopt;
    const std::string_view clock = NextField(line, pos);
    std::string_view column = NextField(line, pos);
    std::string_view meridiem;
    // Some servers put a blank between the time and AM/PM.
    if (EqualsNoCase(column, "am") || EqualsNoCase(column, "pm")) {
        meridiem = column;
        column = NextField(line, pos);
    }
    if (!ReadTime(clock, meridiem, t))
        return std::nullopt;

    ListingEntry entry;
    if (EqualsNoCase(column, "<dir>")) {
        entry.isDirectory = true;
    } else if (ReadSize(column, entry.size)) {
        entry.sizeKnown = true;
    } else {
        return std::nullopt;
    }
    pos = SkipSpaces(line, pos);
    if (pos >= line.size())
        return std::nullopt;
    entry.name.assign(line.substr(pos));
    entry.modified = UtcFromCivil(t);
    entry.timeKnown = true;
    return entry;
}
