// The dispatcher over the listing layouts, the reading of a whole listing line by line, and
// the check that keeps hostile names away from callers.

#include "platform/inet/ListingParser.h"

#include "platform/inet/ListingFields.h"

#include <algorithm>
#include <array>

using namespace listing;

namespace {

// "a=b c" is the shortest line that is an entry (MLSD with one fact), six bytes with its LF.
// Reserving no more entries than that many bytes allow keeps a listing of blank lines from
// reserving room for entries it cannot hold.
constexpr std::size_t kShortestEntryLine = 6;
// How much of the first skipped line a report keeps.
constexpr std::size_t kMaxKeptSkippedLine = 1024;

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

// Auto: the layout that read the line before (or the hint) first, then the others in order.
// `layout` is set to the one that read the line.
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

// A whole listing, one line at a time (LF or CRLF; a final line without LF counts).
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}

    bool Next(std::string_view& line)
    {
        if (!Peek(line))
            return false;
        m_text = m_next;
        ++m_number;
        return true;
    }

    bool Peek(std::string_view& line)
    {
        if (m_text.empty())
            return false;
        const std::size_t lf = m_text.find('\n');
        line = m_text.substr(0, lf);
        m_next = lf == std::string_view::npos ? std::string_view() : m_text.substr(lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return true;
    }

    std::size_t Number() const { return m_number; }

private:
    std::string_view m_text;
    std::string_view m_next;
    std::size_t m_number = 0;
};

bool IsDotOrDotDot(std::string_view name) { return name == "." || name == ".."; }

// A line that could be a name alone, as servers that answer LIST like NLST send: a safe name
// without the runs of blanks that separate columns.
bool CouldBeBareName(std::string_view line)
{
    if (!IsSafeEntryName(line))
        return false;
    for (std::size_t i = 1; i < line.size(); ++i)
        if (IsBlank(line[i]) && IsBlank(line[i - 1]))
            return false;
    return true;
}

std::vector<ListingEntry> ReadBareNames(std::string_view text)
{
    std::vector<ListingEntry> entries;
    LineCursor lines(text);
    for (std::string_view line; lines.Next(line);) {
        if (IsAllBlank(line) || IsListingNoise(line))
            continue;
        ListingEntry entry;
        entry.name.assign(line);
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace

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
    std::string lower(systReply);
    for (char& c : lower)
        c = ToLowerAscii(c);
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
    ListingReport report;
    // One count of line ends spares the copies of a growing vector, which cost more than it.
    const auto lineEnds = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
    report.entries.reserve(std::min(lineEnds + 1, text.size() / kShortestEntryLine + 1));

    ListingFormat layout = hint == ListingFormat::Mlsd ? ListingFormat::Auto : hint;
    bool anyRead = false;
    bool allBareNames = format != ListingFormat::Mlsd;
    // While the listing may still turn out to be bare names, the skipped lines wait here
    // instead of going to the sink: they may yet be read.
    std::vector<std::pair<std::size_t, std::string_view>> undecided;
    const auto skip = [&](std::size_t number, std::string_view line) {
        if (report.skippedLines++ == 0)
            report.firstSkipped.assign(line.substr(0, kMaxKeptSkippedLine));
        if (!onSkipped)
            return;
        const bool mayBeBareNames = !anyRead && allBareNames;
        if (mayBeBareNames) {
            undecided.emplace_back(number, line);
            return;
        }
        for (const auto& [waitingNumber, waitingLine] : undecided)
            onSkipped(waitingNumber, waitingLine);
        undecided.clear();
        onSkipped(number, line);
    };
    LineCursor lines(text);
    for (std::string_view line; lines.Next(line);) {
        const std::size_t number = lines.Number();
        if (line.size() > kMaxListingLine) {
            allBareNames = false;
            skip(number, line);
            continue;
        }
        if (IsAllBlank(line))
            continue;
        std::optional<ListingEntry> entry =
            format == ListingFormat::Auto ? ParseAnyLayout(line, nowUtc, layout) : ParseLayout(line, format, nowUtc);
        // A VMS name too long for its column has the rest of its entry on the next line.
        std::string_view next;
        if (!entry && (format == ListingFormat::Auto || format == ListingFormat::Vms) && IsVmsNameAlone(line) &&
            lines.Peek(next) && next.size() <= kMaxListingLine) {
            std::string joined(line);
            joined += ' ';
            joined += next;
            if ((entry = ParseVmsLine(joined))) {
                lines.Next(next);
                layout = ListingFormat::Vms;
            }
        }
        if (!entry) {
            if (IsListingNoise(line))
                continue;
            allBareNames = allBareNames && CouldBeBareName(line);
            skip(number, line);
            continue;
        }
        anyRead = true;
        if (skipUnsafe) {
            if (entry->isCurrentOrParent || IsDotOrDotDot(entry->name))
                continue;
            if (!IsSafeEntryName(entry->name)) {
                skip(number, line);
                continue;
            }
        }
        report.entries.push_back(std::move(*entry));
    }
    if (!anyRead && report.skippedLines > 0 && allBareNames) {
        report.entries = ReadBareNames(text);
        report.skippedLines = 0;
        report.firstSkipped.clear();
        return report;
    }
    for (const auto& [number, line] : undecided)
        onSkipped(number, line);
    return report;
}

std::vector<ListingEntry> ParseListing(std::string_view text, ListingFormat format, std::int64_t nowUtc,
                                       bool skipUnsafe)
{
    return ParseListingReport(text, format, nowUtc, ListingFormat::Auto, skipUnsafe).entries;
}
