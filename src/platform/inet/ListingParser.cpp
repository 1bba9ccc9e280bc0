// The dispatcher over the listing layouts, the reading of a whole listing line by line, and
// the check that keeps hostile names away from callers.

#include "platform/inet/ListingParser.h"

#include "platform/inet/ListingBuilder.h"
#include "platform/inet/ListingFields.h"

#include <array>

using namespace listing;

namespace {

// The order in which Auto tries the layouts of LIST output: the common ones first, and each
// before any layout that could also read its lines less well (VxWorks and OS/2 lines would
// also pass as embedded size-date-name lines).
constexpr std::array kListLayouts = {
    ListingFormat::Unix,  ListingFormat::Dos,   ListingFormat::Eplf,    ListingFormat::NetWare,
    ListingFormat::Vms,   ListingFormat::Ibmi,  ListingFormat::Os2,     ListingFormat::VxWorks,
    ListingFormat::WinCe, ListingFormat::Mvs,   ListingFormat::Embedded,
};

std::optional<ListingEntry> ParseLayout(std::string_view line, ListingFormat format, std::int64_t nowUtc)
{
    switch (format) {
    case ListingFormat::Unix: return ParseUnixListingLine(line, nowUtc);
    case ListingFormat::Dos: return ParseDosListingLine(line);
    case ListingFormat::Mlsd: return ParseMlsdLine(line);
    case ListingFormat::Eplf: return ParseEplfLine(line);
    case ListingFormat::NetWare: return ParseNetWareLine(line, nowUtc);
    case ListingFormat::Os2: return ParseOs2Line(line);
    case ListingFormat::Vms: return ParseVmsLine(line);
    case ListingFormat::Ibmi: return ParseIbmiLine(line);
    case ListingFormat::Mvs: return ParseMvsLine(line);
    case ListingFormat::VxWorks: return ParseVxWorksLine(line);
    case ListingFormat::WinCe: return ParseWinCeLine(line);
    case ListingFormat::Embedded: return ParseEmbeddedLine(line);
    case ListingFormat::Auto: break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ListingEntry> ParseAnyLayout(std::string_view line, std::int64_t nowUtc, ListingFormat& layout)
{
    if (layout != ListingFormat::Auto)
        if (auto entry = ParseLayout(line, layout, nowUtc))
            return entry;
    for (const ListingFormat candidate : kListLayouts) {
        if (candidate == layout)
            continue;
        if (auto entry = ParseLayout(line, candidate, nowUtc)) {
            layout = candidate;
            return entry;
        }
    }
    return std::nullopt;
}

std::optional<ListingEntry> ParseListingLine(std::string_view line, ListingFormat format, std::int64_t nowUtc,
                                             ListingFormat hint)
{
    if (format != ListingFormat::Auto)
        return ParseLayout(line, format, nowUtc);
    ListingFormat layout = hint == ListingFormat::Mlsd ? ListingFormat::Auto : hint;
    return ParseAnyLayout(line, nowUtc, layout);
}

ListingFormat ListingFormatFromSystem(std::string_view systReply)
{
    struct Clue {
        std::string_view word;   // lower case
        ListingFormat format;
    };
    // Checked in order: z/OS replies mention MVS, and IBM i replies may also mention UNIX.
    constexpr Clue kClues[] = {
        {"mvs", ListingFormat::Mvs},         {"z/os", ListingFormat::Mvs},     {"os/400", ListingFormat::Ibmi},
        {"os/2", ListingFormat::Os2},        {"vms", ListingFormat::Vms},      {"netware", ListingFormat::NetWare},
        {"vxworks", ListingFormat::VxWorks}, {"windows_ce", ListingFormat::WinCe}, {"windows_nt", ListingFormat::Dos},
        {"unix", ListingFormat::Unix},
    };
    const std::string lower = ToLowerAscii(std::string(systReply));
    for (const Clue& clue : kClues)
        if (lower.find(clue.word) != std::string::npos)
            return clue.format;
    return ListingFormat::Auto;
}

bool IsSafeEntryName(std::string_view name)
{
    if (name.empty())
        return false;
    bool onlyDotsAndBlanks = true;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        // Control bytes include NUL, CR and LF: a name must never end a string early or
        // start a second command line. A tab is a legal byte of a name on Unix servers and
        // does neither. A backslash separates paths on Windows, where the program builds too.
        if ((byte < 0x20 && c != '\t') || c == '/' || c == '\\')
            return false;
        if (c != '.' && c != ' ')
            onlyDotsAndBlanks = false;
    }
    // ".", "..", and names like ". ." or "... " which Windows trims to one of them.
    return !onlyDotsAndBlanks;
}

ListingReport ParseListingReport(std::string_view text, ListingFormat format, std::int64_t nowUtc,
                                 ListingFormat hint, bool skipUnsafe, const SkippedLineSink& onSkipped)
{
    ListingBuilder builder(format, nowUtc, skipUnsafe, hint, onSkipped);
    builder.Add(text);
    return builder.FinishReport();
}

std::vector<ListingEntry> ParseListing(std::string_view text, ListingFormat format, std::int64_t nowUtc,
                                       bool skipUnsafe)
{
    return ParseListingReport(text, format, nowUtc, ListingFormat::Auto, skipUnsafe).entries;
}
