// IBM MVS and z/OS. A catalogue of data sets:
//   Volume Unit    Referred Ext Used Recfm Lrecl BlkSz Dsorg Dsname
//   WYOSPT 3420   2003/05/21  1  200  FB      80  8053  PS  PAYROLL.DATA
//   WPTA01 3390   2004/03/04  1    3  FB      80  3125  PO  PAYROLL.SOURCE
//   Migrated                                                OLD.PAYROLL
//   TSO004 3390   VSAM PAYROLL.INDEX
// and the members of a partitioned data set (a PDS, shown as a directory):
//   Name     VV.MM   Created       Changed      Size  Init   Mod   Id
//   PAYCALC   01.01 2004/06/22 2004/06/22 16:32   128   128    0 USER12
// Sizes there are counts of tracks or records, not bytes, so they are left unknown; load
// modules' members give a size in bytes, in hex:
//   IEFBR14   000010 000411  00 FO        RU      31    ANY

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

#include <array>
#include <charconv>

using namespace listing;

namespace {

constexpr std::size_t kMaxColumns = 12;
constexpr std::size_t kDataSetColumns = 10;   // Volume through Dsname
constexpr std::size_t kMaxDataSetName = 44;

bool IsPartitioned(std::string_view dsorg) { return dsorg == "PO" || dsorg == "PO-E"; }

bool IsDataSetOrganisation(std::string_view field)
{
    constexpr std::string_view kKnown[] = {"PS", "PO", "PO-E", "DA", "IS", "VS", "CX", "GS", "U"};
    for (const std::string_view known : kKnown)
        if (field == known)
            return true;
    return false;
}

// A name of qualifiers joined by dots, as the catalogue holds it.
bool IsDataSetName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxDataSetName || name.front() == '.' || name.back() == '.')
        return false;
    for (const char c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

bool ReadSlashDate(std::string_view field, ListingDate& date)
{
    return field.size() == 10 && field[4] == '/' && ReadNumericDate(field, date) && date.year != 0;
}

std::size_t SplitColumns(std::string_view line, std::array<std::string_view, kMaxColumns>& fields)
{
    std::size_t count = 0;
    std::size_t pos = 0;
    while (true) {
        const std::string_view field = NextField(line, pos);
        if (field.empty())
            return count;
        if (count == fields.size())
            return 0;   // more columns than either layout has
        fields[count++] = field;
    }
}

std::optional<ListingEntry> ReadDataSet(const std::array<std::string_view, kMaxColumns>& fields, std::size_t count)
{
    ListingEntry entry;
    const std::string_view name = fields[count - 1];
    if (!IsDataSetName(name))
        return std::nullopt;
    if (count == 2 && fields[0] == "Migrated") {
        entry.name.assign(name);
        return entry;
    }
    if (count == 3 && fields[0] == "Pseudo" && fields[1] == "Directory") {
        entry.name.assign(name);
        entry.isDirectory = true;
        return entry;
    }
    if (count == 4 && fields[2] == "VSAM") {
        entry.name.assign(name);
        return entry;
    }
    // The full row; Ext and Used run together when Used is wide, so one column may be missing.
    if ((count != kDataSetColumns && count != kDataSetColumns - 1) || !IsDataSetOrganisation(fields[count - 2]))
        return std::nullopt;
    ListingDate date;
    if (!ReadSlashDate(fields[2], date))
        return std::nullopt;
    entry.name.assign(name);
    entry.isDirectory = IsPartitioned(fields[count - 2]);
    entry.modified = UtcFromCivil(CivilDateTime{date.year, date.month, date.day, 0, 0, 0});
    entry.timeKnown = true;
    return entry;
}

bool IsVersionModification(std::string_view field)
{
    std::uint32_t ignored = 0;
    return field.size() == 5 && field[2] == '.' && ParseFixedDigits(field.substr(0, 2), 2, ignored) &&
           ParseFixedDigits(field.substr(3), 2, ignored);
}

bool IsHex(std::string_view field, std::uint64_t& value)
{
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value, 16);
    return !field.empty() && ec == std::errc() && ptr == end;
}

std::optional<ListingEntry> ReadMember(const std::array<std::string_view, kMaxColumns>& fields, std::size_t count)
{
    ListingEntry entry;
    if (count >= 6 && IsVersionModification(fields[1])) {
        ListingDate changed;
        ListingDate created;
        if (!ReadSlashDate(fields[2], created) || !ReadSlashDate(fields[3], changed) ||
            !ParseClock(fields[4], changed.hour, changed.minute, changed.second))
            return std::nullopt;
        entry.modified = UtcFromCivil(CivilDateTime{changed.year, changed.month, changed.day, changed.hour,
                                                    changed.minute, changed.second});
        entry.timeKnown = true;
    } else {
        std::uint64_t ttr = 0;
        if (count < 4 || fields[1].size() != 6 || fields[2].size() != 6 || !IsHex(fields[1], entry.size) ||
            !IsHex(fields[2], ttr))
            return std::nullopt;
        entry.sizeKnown = true;
    }
    entry.name.assign(fields[0]);
    return entry;
}

}  // namespace

std::optional<ListingEntry> ParseMvsLine(std::string_view line)
{
    std::array<std::string_view, kMaxColumns> fields;
    const std::size_t count = SplitColumns(line, fields);
    if (count < 2)
        return std::nullopt;
    if (std::optional<ListingEntry> member = ReadMember(fields, count))
        return member;
    return ReadDataSet(fields, count);
}
