// EPLF, the Easily Parsed List Format: "+" then facts separated by commas, a tab, the name.
//   +i8388621.48594,m825718503,r,s280,<TAB>file name
//   +i8388621.50690,m824255907,/,<TAB>directory
// "/" marks a directory, "r" a file that can be retrieved, "s" the size in bytes, "m" the
// modification time in seconds since 1970 (UTC); other facts are skipped.

#include "platform/inet/CivilTime.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

using namespace listing;

std::optional<ListingEntry> ParseEplfLine(std::string_view line)
{
    const std::size_t tab = line.find('\t');
    if (line.size() < 2 || line.front() != '+' || tab == std::string_view::npos || tab + 1 >= line.size())
        return std::nullopt;
    ListingEntry entry;
    bool described = false;
    std::string_view facts = line.substr(1, tab - 1);
    while (!facts.empty()) {
        const std::size_t comma = facts.find(',');
        const std::string_view fact = facts.substr(0, comma);
        facts = comma == std::string_view::npos ? std::string_view() : facts.substr(comma + 1);
        if (fact.empty())
            continue;
        const std::string_view value = fact.substr(1);
        switch (fact.front()) {
        case '/':
            entry.isDirectory = true;
            described = true;
            break;
        case 'r':
            described = true;
            break;
        case 's':
            if (!ParseDecimal(value, entry.size))
                return std::nullopt;
            entry.sizeKnown = true;
            break;
        case 'm': {
            std::int64_t seconds = 0;
            if (!ParseDecimal(value, seconds) || seconds > kLatestCivilTime)
                return std::nullopt;
            entry.modified = seconds;
            entry.timeKnown = true;
            break;
        }
        default:
            break;   // i (identity), up (permissions) and facts of later versions
        }
    }
    if (!described && !entry.sizeKnown)
        return std::nullopt;
    entry.name.assign(line.substr(tab + 1));
    return entry;
}
