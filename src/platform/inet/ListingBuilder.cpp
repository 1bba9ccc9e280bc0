#include "platform/inet/ListingBuilder.h"

#include "platform/inet/InternetException.h"
#include "platform/inet/ListingFields.h"

#include <algorithm>

using namespace listing;

namespace {

// How much of the first skipped line a report keeps.
constexpr std::size_t kMaxKeptSkippedLine = 1024;

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

}  // namespace

ListingBuilder::ListingBuilder(ListingFormat format, std::int64_t nowUtc, bool skipUnsafe, ListingFormat hint,
                               SkippedLineSink onSkipped)
    : m_format(format),
      m_nowUtc(nowUtc),
      m_skipUnsafe(skipUnsafe),
      m_layout(hint == ListingFormat::Mlsd ? ListingFormat::Auto : hint),
      m_onSkipped(std::move(onSkipped)),
      m_allBareNames(format != ListingFormat::Mlsd)
{
}

void ListingBuilder::Add(std::string_view bytes)
{
    m_bytes += bytes.size();
    if (m_bytes > kMaxBytes)
        throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR,
                                 "The directory listing is too large (more than "
                                     + std::to_string(kMaxBytes / (1024 * 1024)) + " MiB)");
    while (!bytes.empty()) {
        if (m_partial.empty() && !m_skippingLongLine && m_pendingVmsName.empty()) {
            // A run of empty lines is passed over at once rather than a line at a time.
            std::size_t run = 0;
            while (run < bytes.size() && (bytes[run] == '\n' || bytes[run] == '\r'))
                ++run;
            const std::string_view empties = bytes.substr(0, run);
            const std::size_t lastLf = empties.rfind('\n');
            if (lastLf != std::string_view::npos) {
                m_lineNumber += static_cast<std::size_t>(std::count(empties.begin(), empties.end(), '\n'));
                bytes.remove_prefix(lastLf + 1);
                continue;
            }
        }
        const std::size_t lf = bytes.find('\n');
        if (lf == std::string_view::npos) {
            // An unfinished line waits for the next block, unless it is already too long to
            // be an entry; then it is counted as skipped and dropped up to its line end.
            if (!m_skippingLongLine)
                m_partial.append(bytes);
            if (m_partial.size() > kMaxListingLine) {
                TakeLine(m_partial);
                m_skippingLongLine = true;
                std::string().swap(m_partial);
            }
            return;
        }
        const std::string_view head = bytes.substr(0, lf);
        bytes.remove_prefix(lf + 1);
        if (m_skippingLongLine) {
            m_skippingLongLine = false;
            continue;
        }
        if (m_partial.empty()) {
            TakeLine(head);
        } else {
            m_partial.append(head);
            TakeLine(m_partial);
            m_partial.clear();
        }
    }
}

ListingReport ListingBuilder::FinishReport()
{
    if (!m_skippingLongLine && !m_partial.empty())
        TakeLine(m_partial);
    m_partial.clear();
    m_skippingLongLine = false;
    if (!m_pendingVmsName.empty()) {
        Unread(m_pendingVmsName, m_pendingVmsNumber);
        m_pendingVmsName.clear();
    }
    if (!m_anyRead && m_report.skippedLines > 0 && m_allBareNames) {
        m_report.entries.reserve(m_undecided.size());
        for (auto& [number, line] : m_undecided) {
            ListingEntry entry;
            entry.name = std::move(line);
            m_report.entries.push_back(std::move(entry));
        }
        m_undecided.clear();
        m_report.skippedLines = 0;
        m_report.firstSkipped.clear();
    } else {
        TellUndecided();
    }
    return std::move(m_report);
}

// One whole line, its line end taken off (the LF; a CR before it is taken here).
void ListingBuilder::TakeLine(std::string_view line)
{
    const std::size_t number = ++m_lineNumber;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const bool tooLong = line.size() > kMaxListingLine;
    if (!m_pendingVmsName.empty()) {
        std::string joined = std::move(m_pendingVmsName);
        m_pendingVmsName.clear();
        const std::size_t nameLength = joined.size();
        if (!tooLong) {
            joined += ' ';
            joined += line;
            if (std::optional<ListingEntry> entry = ParseVmsLine(joined)) {
                m_layout = ListingFormat::Vms;
                Keep(std::move(*entry), joined, m_pendingVmsNumber);
                return;
            }
        }
        Unread(std::string_view(joined).substr(0, nameLength), m_pendingVmsNumber);
    }
    if (tooLong) {
        m_blank = false;
        m_allBareNames = false;
        Skip(line, number);
        return;
    }
    ReadLine(line, number);
}

void ListingBuilder::ReadLine(std::string_view line, std::size_t number)
{
    // Stray carriage returns make no line of their own: a run of line ends is passed over
    // whole (Add), and must read the same when a block ends inside it.
    if (IsAllBlank(line) || line.find_first_not_of('\r') == std::string_view::npos)
        return;
    m_blank = false;
    std::optional<ListingEntry> entry = m_format == ListingFormat::Auto ? ParseAnyLayout(line, m_nowUtc, m_layout)
                                                                        : ParseListingLine(line, m_format, m_nowUtc);
    if (entry) {
        Keep(std::move(*entry), line, number);
        return;
    }
    // A VMS name too long for its column has the rest of its entry on the next line.
    if ((m_format == ListingFormat::Auto || m_format == ListingFormat::Vms) && IsVmsNameAlone(line)) {
        m_pendingVmsName.assign(line);
        m_pendingVmsNumber = number;
        return;
    }
    Unread(line, number);
}

// A line that gave no entry: noise around the entries, or a skipped line.
void ListingBuilder::Unread(std::string_view line, std::size_t number)
{
    if (IsListingNoise(line))
        return;
    m_allBareNames = m_allBareNames && CouldBeBareName(line);
    Skip(line, number);
}

void ListingBuilder::Keep(ListingEntry entry, std::string_view line, std::size_t number)
{
    m_anyRead = true;
    TellUndecided();
    if (m_skipUnsafe) {
        if (entry.isCurrentOrParent || IsDotOrDotDot(entry.name))
            return;
        if (!IsSafeEntryName(entry.name)) {
            Skip(line, number);
            return;
        }
    }
    CheckEntryCount(m_report.entries.size());
    m_report.entries.push_back(std::move(entry));
}

void ListingBuilder::Skip(std::string_view line, std::size_t number)
{
    if (m_report.skippedLines++ == 0)
        m_report.firstSkipped.assign(line.substr(0, kMaxKeptSkippedLine));
    const bool mayBeBareNames = !m_anyRead && m_allBareNames;
    if (mayBeBareNames) {
        CheckEntryCount(m_undecided.size());
        m_undecided.emplace_back(number, std::string(line));
        return;
    }
    TellUndecided();
    if (m_onSkipped)
        m_onSkipped(number, line);
}

// The lines kept in case the listing was bare names are skipped lines after all.
void ListingBuilder::TellUndecided()
{
    if (m_undecided.empty())
        return;
    if (m_onSkipped)
        for (const auto& [number, line] : m_undecided)
            m_onSkipped(number, line);
    std::vector<std::pair<std::size_t, std::string>>().swap(m_undecided);
}

void ListingBuilder::CheckEntryCount(std::size_t count) const
{
    if (count >= kMaxEntries)
        throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR,
                                 "The directory listing has too many entries (more than "
                                     + std::to_string(kMaxEntries) + ")");
}
