// The dispatcher over the listing formats, the splitting of a whole listing into lines, and
// the check that keeps hostile names away from callers.

#include "platform/inet/ListingParser.h"

#include "platform/inet/ListingBuilder.h"

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
    ListingBuilder builder(format, nowUtc, skipUnsafe);
    builder.Add(text);
    return builder.Finish();
}
