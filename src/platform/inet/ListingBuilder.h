#pragma once
// Turns a listing's bytes into entries as they arrive, line by line, so that memory follows the
// entries parsed rather than the bytes a server sends, and stops a listing past its limits.
// It also keeps count of the lines that gave no entry, so that a folder that looks short is
// never short without a word, and reads a listing of bare names (servers that answer LIST as
// NLST) as names of unknown size.

#include "platform/inet/ListingEntry.h"
#include "platform/inet/ListingParser.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class ListingBuilder {
public:
    // Generous for real servers (the largest directories seen hold some hundred thousand
    // entries), small enough that a hostile server cannot exhaust memory or time with one.
    static constexpr std::size_t kMaxEntries = 1'000'000;
    static constexpr std::uint64_t kMaxBytes = 256ull * 1024 * 1024;

    // skipUnsafe, hint, onSkipped: see ParseListingReport.
    ListingBuilder(ListingFormat format, std::int64_t nowUtc, bool skipUnsafe = true,
                   ListingFormat hint = ListingFormat::Auto, SkippedLineSink onSkipped = {});

    // The next bytes of the listing, cut anywhere. Throws CInternetException
    // (ERROR_INTERNET_EXTENDED_ERROR) once the listing passes kMaxBytes or kMaxEntries.
    void Add(std::string_view bytes);
    // The entries and the skipped lines, after the last line (which may lack its line end).
    ListingReport FinishReport();
    std::vector<ListingEntry> Finish() { return FinishReport().entries; }

    // No byte other than blanks and line ends so far (after Finish: in the whole listing).
    bool Blank() const { return m_blank; }

private:
    void TakeLine(std::string_view line);
    void ReadLine(std::string_view line, std::size_t number);
    void Unread(std::string_view line, std::size_t number);
    void Keep(ListingEntry entry, std::string_view line, std::size_t number);
    void Skip(std::string_view line, std::size_t number);
    void TellUndecided();
    void CheckEntryCount(std::size_t count) const;

    ListingFormat m_format;
    std::int64_t m_nowUtc;
    bool m_skipUnsafe;
    ListingFormat m_layout;          // the layout that read the last entry (Auto: none yet)
    SkippedLineSink m_onSkipped;
    ListingReport m_report;

    std::string m_partial;           // a line begun in an earlier block
    bool m_skippingLongLine = false; // the rest of an overlong line, up to its line end
    std::uint64_t m_bytes = 0;
    std::size_t m_lineNumber = 0;
    bool m_blank = true;

    // A VMS name alone on its line waits for the next line, which holds the rest of its entry.
    std::string m_pendingVmsName;
    std::size_t m_pendingVmsNumber = 0;

    // While no line has given an entry and every unread line could be a bare name, those lines
    // wait here: they are the entries if the listing turns out to be bare names, and skipped
    // lines otherwise.
    bool m_anyRead = false;
    bool m_allBareNames;
    std::vector<std::pair<std::size_t, std::string>> m_undecided;
};
