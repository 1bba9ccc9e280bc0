#include "platform/inet/ListingBuilder.h"

#include "platform/inet/InternetException.h"
#include "platform/inet/ListingFields.h"
#include "platform/inet/ListingParser.h"

ListingBuilder::ListingBuilder(ListingFormat format, std::int64_t nowUtc, bool skipUnsafe)
    : m_format(format), m_nowUtc(nowUtc), m_skipUnsafe(skipUnsafe)
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
        if (m_partial.empty() && !m_skippingLongLine) {
            // A run of empty lines is passed over at once rather than a line at a time.
            std::size_t run = 0;
            while (run < bytes.size() && (bytes[run] == '\n' || bytes[run] == '\r'))
                ++run;
            const std::size_t lastLf = bytes.substr(0, run).rfind('\n');
            if (lastLf != std::string_view::npos) {
                bytes.remove_prefix(lastLf + 1);
                continue;
            }
        }
        const std::size_t lf = bytes.find('\n');
        if (lf == std::string_view::npos) {
            // An unfinished line waits for the next block, unless it is already too long to
            // be an entry; then it is dropped up to its line end.
            if (!m_skippingLongLine)
                m_partial.append(bytes);
            if (m_partial.size() > kMaxListingLine) {
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

std::vector<ListingEntry> ListingBuilder::Finish()
{
    if (!m_skippingLongLine && !m_partial.empty())
        TakeLine(m_partial);
    m_partial.clear();
    m_skippingLongLine = false;
    return std::move(m_entries);
}

void ListingBuilder::TakeLine(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.size() > kMaxListingLine)
        return;
    bool blank = true;
    for (const char c : line)
        if (!listing::IsBlank(c)) {
            blank = false;
            break;
        }
    if (blank)
        return;
    m_blank = false;
    std::optional<ListingEntry> entry = ParseListingLine(line, m_format, m_nowUtc);
    if (!entry)
        return;
    if (m_skipUnsafe && (entry->isCurrentOrParent || !IsSafeEntryName(entry->name)))
        return;
    if (m_entries.size() >= kMaxEntries)
        throw CInternetException(ERROR_INTERNET_EXTENDED_ERROR,
                                 "The directory listing has too many entries (more than "
                                     + std::to_string(kMaxEntries) + ")");
    m_entries.push_back(std::move(*entry));
}
