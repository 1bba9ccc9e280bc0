// OpenVMS: the name with its version, the size in blocks of 512 bytes (used, or used/allocated),
// the date, the time, then owner and protection, which are skipped. A name too long for its
// column stands alone on one line with the rest on the next; the dispatcher joins the two.
//   CII-MANUAL.TEX;1  213/216  29-JAN-1996 03:33:12  [ANONYMOU,ANONYMOUS]   (RWED,RWED,,)
//   PUB.DIR;1           1/3    19-NOV-2001 21:41     [ROOT,ROOT]  (RWE,RWE,RE,RE)
//   NOTES.TXT;12      [SUMMARY]  1/3   2-AUG-2006 13:05  (RWE,RWE,RE,)
// The version stays part of a file's name, as the server needs it to tell versions apart; a
// directory is the name before ".DIR;n", which is how the server is asked to change to it.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingDates.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

namespace {

constexpr std::uint64_t kVmsBlock = 512;
constexpr std::string_view kDirectorySuffix = ".dir";

// "NAME.EXT;12": a name, then ';' and the version's digits.
bool IsVersionedName(std::string_view field, std::size_t& semicolon)
{
    semicolon = field.rfind(';');
    std::uint32_t version = 0;
    return semicolon != std::string_view::npos && semicolon > 0 && ParseDecimal(field.substr(semicolon + 1), version);
}

// "213", "213/216": blocks used (and allocated).
bool ReadBlocks(std::string_view field, std::uint64_t& blocks)
{
    const std::size_t slash = field.find('/');
    std::uint64_t allocated = 0;
    if (slash != std::string_view::npos && !ParseDecimal(field.substr(slash + 1), allocated))
        return false;
    return ParseDecimal(field.substr(0, slash), blocks) && blocks <= UINT64_MAX / kVmsBlock;
}

// "03:33:12", "10:30:13.64", "21:41".
bool ReadVmsClock(std::string_view field, ListingDate& date)
{
    const std::size_t dot = field.find('.');
    std::uint32_t hundredths = 0;
    if (dot != std::string_view::npos && !ParseDecimal(field.substr(dot + 1), hundredths))
        return false;
    return ParseClock(field.substr(0, dot), date.hour, date.minute, date.second);
}

}  // namespace

std::optional<ListingEntry> ParseVmsLine(std::string_view line)
{
    std::size_t pos = 0;
    const std::string_view name = NextField(line, pos);
    std::size_t semicolon = 0;
    if (!IsVersionedName(name, semicolon))
        return std::nullopt;
    std::string_view field = NextField(line, pos);
    if (!field.empty() && field.front() == '[')   // the owner before the size on some servers
        field = NextField(line, pos);
    std::uint64_t blocks = 0;
    if (!ReadBlocks(field, blocks))
        return std::nullopt;
    ListingDate date;
    // "29-JAN-1996": day, month name, four-digit year.
    const std::string_view dateField = NextField(line, pos);
    if (!ReadNumericDate(dateField, date) || date.year == 0 || dateField.size() < 10)
        return std::nullopt;
    const std::size_t afterDate = pos;
    if (!ReadVmsClock(NextField(line, pos), date))
        pos = afterDate;   // some servers give the date alone

    ListingEntry entry;
    const std::string_view stem = name.substr(0, semicolon);
    if (stem.size() > kDirectorySuffix.size() &&
        EqualsNoCase(stem.substr(stem.size() - kDirectorySuffix.size()), kDirectorySuffix)) {
        entry.isDirectory = true;
        entry.name.assign(stem.substr(0, stem.size() - kDirectorySuffix.size()));
    } else {
        entry.name.assign(name);
        entry.size = blocks * kVmsBlock;
        entry.sizeKnown = true;
    }
    entry.modified = UtcFromCivil(CivilDateTime{date.year, date.month, date.day, date.hour, date.minute, date.second});
    entry.timeKnown = true;
    return entry;
}

bool IsVmsNameAlone(std::string_view line)
{
    std::size_t pos = 0;
    const std::string_view name = NextField(line, pos);
    std::size_t semicolon = 0;
    return IsVersionedName(name, semicolon) && NextField(line, pos).empty();
}
