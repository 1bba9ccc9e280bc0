// MS-DOS/IIS lines:
//   01-16-02  11:14AM       <DIR>          epsgroup
//   01-16-2002  11:14PM                 1234 file name
// The name follows the blanks after the size column; IIS pads that column, so blanks that
// begin a name cannot be told from the padding.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

namespace {

// Two-digit years from this one on are 19xx; below it, 20xx.
constexpr unsigned kFirstTwentiethCenturyYear = 70;

// "MM-DD-YY" or "MM-DD-YYYY".
bool ReadDate(std::string_view field, CivilDateTime& t)
{
    if ((field.size() != 8 && field.size() != 10) || field[2] != '-' || field[5] != '-')
        return false;
    unsigned year = 0;
    if (!ParseFixedDigits(field.substr(0, 2), 2, t.month) ||
        !ParseFixedDigits(field.substr(3, 2), 2, t.day) ||
        !ParseFixedDigits(field.substr(6), field.size() - 6, year))
        return false;
    if (field.size() == 8)
        year += year >= kFirstTwentiethCenturyYear ? 1900 : 2000;
    t.year = year;
    return t.month >= 1 && t.month <= 12 && IsValidCivilDate(t.year, t.month, t.day);
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
    } else if (ParseDecimal(column, entry.size)) {
        entry.sizeKnown = true;
    } else {
        return std::nullopt;
    }
    while (pos < line.size() && IsBlank(line[pos]))
        ++pos;
    if (pos >= line.size())
        return std::nullopt;
    entry.name.assign(line.substr(pos));
    entry.modified = UtcFromCivil(t);
    entry.timeKnown = true;
    return entry;
}
