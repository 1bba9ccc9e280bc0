// The dispatcher over the listing formats, the splitting of a whole listing into lines, and
// the check that keeps hostile names away from callers.

#include "platform/inet/ListingParser.h"

#include "platform/inet/ListingFields.h"

#include <algorithm>

namespace {

// "a=b c" is the shortest line that is an entry (MLSD with one fact), six bytes with its LF.
// Reserving no more entries than that many bytes allow keeps a listing of blank lines from
// reserving room for entries it cannot hold.
constexpr std::size_t kShortestEntryLine = 6;

}  // namespace

std::optional<ListingEntry> ParseListingLine(std::string_view line, ListingFormat format,
                                             std::int64_t nowUtc)
{
    switch (format) {
    case ListingFormat::Unix:
        return ParseUnixListingLine(line, nowUtc);
    case ListingFormat::Dos:
        return ParseDosListingLine(line);
    case ListingFormat::Mlsd:
        return ParseMlsdLine(line);
    case ListingFormat::Auto:
        break;
    }
    // A DOS line begins with a digit, which no Unix permission column does, so the Unix
    // parser gives up on it at the first byte.
    if (auto entry = ParseUnixListingLine(line, nowUtc))
        return entry;
    return ParseDosListingLine(line);
}

bool IsSafeEntryName(std::string_view name)
{
    if (name.empty())
        return false;
    bool onlyDotsAndBlanks = true;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        // Control bytes include NUL, CR and LF: a name must never end a string early or
        // start a second command line. A backslash separates paths on Windows, where the
        // program builds too.
        if (byte < 0x20 || c == '/' || c == '\\')
            return false;
        if (c != '.' && c != ' ')
            onlyDotsAndBlanks = false;
    }
    // ".", "..", and names like ". ." or "... " which Windows trims to one of them.
    return !onlyDotsAndBlanks;
}

std::vector<ListingEntry> ParseListing(std::string_view text, ListingFormat format,
                                       std::int64_t nowUtc, bool skipUnsafe)
{
    std::vector<ListingEntry> entries;
    // One count of line ends spares the copies of a growing vector, which cost more than it.
    const auto lineEnds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    entries.reserve(std::min(lineEnds + 1, text.size() / kShortestEntryLine + 1));
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        text = lf == std::string_view::npos ? std::string_view() : text.substr(lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() > kMaxListingLine)
            continue;
        bool blank = true;
        for (const char c : line)
            if (!listing::IsBlank(c)) {
                blank = false;
                break;
            }
        if (blank)
            continue;
        std::optional<ListingEntry> entry = ParseListingLine(line, format, nowUtc);
        if (!entry)
            continue;
        if (skipUnsafe && (entry->isCurrentOrParent || !IsSafeEntryName(entry->name)))
            continue;
        entries.push_back(std::move(*entry));
    }
    return entries;
}
