// MLSD lines (RFC 3659): "fact=value;fact=value; name". Fact names are case-insensitive and
// unknown facts are ignored; the name is everything after the first blank, so it may begin
// with blanks and hold ';' and '='.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

namespace {

// "YYYYMMDDHHMMSS", optionally followed by ".s" to ".sss" (fractions are dropped).
bool ReadModify(std::string_view value, std::int64_t& seconds)
{
    constexpr std::size_t kDigits = 14;
    constexpr std::size_t kMaxFractionDigits = 9;
    if (value.size() < kDigits)
        return false;
    if (value.size() > kDigits) {
        const std::string_view fraction = value.substr(kDigits + 1);
        std::uint64_t ignored = 0;
        if (value[kDigits] != '.' || fraction.size() > kMaxFractionDigits ||
            !ParseDecimal(fraction, ignored))
            return false;
    }
    unsigned year = 0;
    CivilDateTime t;
    if (!ParseFixedDigits(value.substr(0, 4), 4, year) ||
        !ParseFixedDigits(value.substr(4, 2), 2, t.month) ||
        !ParseFixedDigits(value.substr(6, 2), 2, t.day) ||
        !ParseFixedDigits(value.substr(8, 2), 2, t.hour) ||
        !ParseFixedDigits(value.substr(10, 2), 2, t.minute) ||
        !ParseFixedDigits(value.substr(12, 2), 2, t.second))
        return false;
    t.year = year;
    // 60 seconds is a leap second; it counts as the first second of the next minute.
    if (t.month < 1 || t.month > 12 || !IsValidCivilDate(t.year, t.month, t.day) || t.hour > 23 ||
        t.minute > 59 || t.second > 60)
        return false;
    seconds = UtcFromCivil(t);
    return true;
}

void ApplyType(std::string_view value, ListingEntry& entry)
{
    if (EqualsNoCase(value, "dir")) {
        entry.isDirectory = true;
    } else if (EqualsNoCase(value, "cdir") || EqualsNoCase(value, "pdir")) {
        entry.isDirectory = true;
        entry.isCurrentOrParent = true;
    } else if (StartsWithNoCase(value, "os.unix=slink") || StartsWithNoCase(value, "os.unix=symlink")) {
        // "OS.unix=slink:/target" names the target; "OS.unix=symlink" does not.
        entry.isLink = true;
        const std::size_t colon = value.find(':');
        if (colon != std::string_view::npos)
            entry.linkTarget.assign(value.substr(colon + 1));
    }
    // "file" and the types of special files (OS.unix=blkdev, ...) are plain entries.
}

}  // namespace

std::optional<ListingEntry> ParseMlsdLine(std::string_view line)
{
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || blank + 1 >= line.size())
        return std::nullopt;
    std::string_view facts = line.substr(0, blank);

    ListingEntry entry;
    std::size_t factCount = 0;
    bool haveSize = false;
    std::uint64_t listingSize = 0;
    bool haveListingSize = false;
    while (!facts.empty()) {
        const std::size_t semicolon = facts.find(';');
        const std::string_view fact = facts.substr(0, semicolon);
        facts = semicolon == std::string_view::npos ? std::string_view() : facts.substr(semicolon + 1);
        const std::size_t equals = fact.find('=');
        if (equals == std::string_view::npos || equals == 0)
            continue;
        ++factCount;
        const std::string_view key = fact.substr(0, equals);
        const std::string_view value = fact.substr(equals + 1);
        if (EqualsNoCase(key, "type")) {
            ApplyType(value, entry);
        } else if (EqualsNoCase(key, "size")) {
            haveSize = ParseDecimal(value, entry.size);
        } else if (EqualsNoCase(key, "sizd")) {
            haveListingSize = ParseDecimal(value, listingSize);
        } else if (EqualsNoCase(key, "modify")) {
            entry.timeKnown = ReadModify(value, entry.modified);
        }
    }
    if (factCount == 0)
        return std::nullopt;
    // sizd is the size a directory takes; it stands in when a server sends no size.
    if (!haveSize && haveListingSize)
        entry.size = listingSize;
    if (!haveSize && !haveListingSize)
        entry.size = 0;
    entry.sizeKnown = haveSize || haveListingSize;
    if (!entry.timeKnown)
        entry.modified = 0;
    entry.name.assign(line.substr(blank + 1));
    return entry;
}
