// MLSD lines (RFC 3659): "fact=value;fact=value; name". Fact names are case-insensitive and
// unknown facts are ignored; the name is everything after the first blank, byte for byte, so
// it may begin and end with blanks and tabs and hold ';' and '='. A line whose facts are
// malformed (a fact without '=', facts not ended by ';', an empty type, a size or time that
// is no number or no time) is refused rather than guessed at: MLSD exists to be exact.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

bool ParseModifyTime(std::string_view value, std::int64_t& seconds)
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

namespace {

// "OS.unix=slink:/target", "OS.unix=symlink", and the like of other systems ("os.xyz=link").
bool ReadLinkType(std::string_view value, ListingEntry& entry)
{
    const std::size_t equals = value.find('=');
    if (!StartsWithNoCase(value, "os.") || equals == std::string_view::npos)
        return false;
    const std::string_view kind = value.substr(equals + 1);
    const std::size_t colon = kind.find(':');
    const std::string_view name = kind.substr(0, colon);
    if (!EqualsNoCase(name, "slink") && !EqualsNoCase(name, "symlink") && !EqualsNoCase(name, "link"))
        return false;
    entry.isLink = true;
    if (colon != std::string_view::npos)
        entry.linkTarget.assign(kind.substr(colon + 1));
    return true;
}

bool ApplyType(std::string_view value, ListingEntry& entry)
{
    if (value.empty())
        return false;
    if (EqualsNoCase(value, "dir")) {
        entry.isDirectory = true;
    } else if (EqualsNoCase(value, "cdir") || EqualsNoCase(value, "pdir")) {
        entry.isDirectory = true;
        entry.isCurrentOrParent = true;
    } else {
        ReadLinkType(value, entry);
    }
    // "file" and the types of special files (OS.unix=blkdev, ...) are plain entries.
    return true;
}

}  // namespace

std::optional<ListingEntry> ParseMlsdLine(std::string_view line)
{
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos || blank == 0 || blank + 1 >= line.size() || line[blank - 1] != ';')
        return std::nullopt;
    std::string_view facts = line.substr(0, blank - 1);   // without the final ';'

    ListingEntry entry;
    bool haveSize = false;
    std::uint64_t listingSize = 0;
    bool haveListingSize = false;
    while (true) {
        const std::size_t semicolon = facts.find(';');
        const std::string_view fact = facts.substr(0, semicolon);
        const std::size_t equals = fact.find('=');
        if (equals == std::string_view::npos || equals == 0)
            return std::nullopt;
        const std::string_view key = fact.substr(0, equals);
        const std::string_view value = fact.substr(equals + 1);
        if (EqualsNoCase(key, "type")) {
            if (!ApplyType(value, entry))
                return std::nullopt;
        } else if (EqualsNoCase(key, "size")) {
            if (!(haveSize = ParseDecimal(value, entry.size)))
                return std::nullopt;
        } else if (EqualsNoCase(key, "sizd")) {
            if (!(haveListingSize = ParseDecimal(value, listingSize)))
                return std::nullopt;
        } else if (EqualsNoCase(key, "modify")) {
            if (!(entry.timeKnown = ParseModifyTime(value, entry.modified)))
                return std::nullopt;
        }
        if (semicolon == std::string_view::npos)
            break;
        facts = facts.substr(semicolon + 1);
    }
    // sizd is the size a directory takes; it stands in when a server sends no size.
    if (!haveSize && haveListingSize)
        entry.size = listingSize;
    entry.sizeKnown = haveSize || haveListingSize;
    entry.name.assign(line.substr(blank + 1));
    return entry;
}
