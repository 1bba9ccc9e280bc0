// IBM i (OS/400): owner, size, date, time, object type, name; members of a database file
// have only the owner, "*MEM" and the name.
//   QSYS            77824 02/23/00 15:09:55 *DIR       QOpenSys/
//   QDFTOWN          2011 09/17/01 16:13:56 *STMF      README
//   QSYS            20480 23/02/00 15:09:55 *FILE      QGPL.LIB/QCLSRC.FILE
//   TESTUSR                                 *MEM       QGPL.LIB/QCLSRC.FILE/HELLO.MBR
// A name ending in "/" is a directory (as are libraries and folders); a path in the name is
// cut to its last part, which is the entry's name within the listed directory.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

namespace {

bool IsObjectType(std::string_view field)
{
    if (field.size() < 2 || field.front() != '*')
        return false;
    for (const char c : field.substr(1))
        if (!(c >= 'A' && c <= 'Z') && !IsDigit(c))
            return false;
    return true;
}

bool IsDirectoryType(std::string_view type)
{
    return type == "*DIR" || type == "*LIB" || type == "*FLR" || type == "*DDIR";
}

}  // namespace

std::optional<ListingEntry> ParseIbmiLine(std::string_view line)
{
    std::size_t pos = 0;
    const std::string_view owner = NextField(line, pos);
    std::string_view field = NextField(line, pos);
    if (owner.empty() || field.empty())
        return std::nullopt;
    ListingEntry entry;
    std::string_view type;
    if (IsObjectType(field)) {
        if (field != "*MEM")   // only members come without size and date
            return std::nullopt;
        type = field;
    } else {
        if (!ParseDecimal(field, entry.size))
            return std::nullopt;
        ListingDate date;
        if (!ReadNumericDate(NextField(line, pos), date) || date.year == 0 ||
            !ParseClock(NextField(line, pos), date.hour, date.minute, date.second))
            return std::nullopt;
        type = NextField(line, pos);
        if (!IsObjectType(type))
            return std::nullopt;
        entry.sizeKnown = true;
        entry.modified = UtcFromCivil(CivilDateTime{date.year, date.month, date.day, date.hour, date.minute, date.second});
        entry.timeKnown = true;
    }
    pos = SkipSpaces(line, pos);
    std::string_view name = line.substr(pos);
    entry.isDirectory = IsDirectoryType(type);
    if (!name.empty() && name.back() == '/') {
        entry.isDirectory = true;
        name.remove_suffix(1);
    }
    if (const std::size_t slash = name.rfind('/'); slash != std::string_view::npos)
        name = name.substr(slash + 1);
    if (name.empty())
        return std::nullopt;
    entry.name.assign(name);
    return entry;
}
