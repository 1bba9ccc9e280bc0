#pragma once
// Turns a listing's bytes into entries as they arrive, line by line, so that memory follows the
// entries parsed rather than the bytes a server sends, and stops a listing past its limits.

#include "platform/inet/ListingEntry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class ListingBuilder {
public:
    // Generous for real servers (the largest directories seen hold some hundred thousand
    // entries), small enough that a hostile server cannot exhaust memory or time with one.
    static constexpr std::size_t kMaxEntries = 1'000'000;
    static constexpr std::uint64_t kMaxBytes = 256ull * 1024 * 1024;

    // skipUnsafe: see ParseListing.
    ListingBuilder(ListingFormat format, std::int64_t nowUtc, bool skipUnsafe = true);

    // The next bytes of the listing, cut anywhere. Throws CInternetException
    // (ERROR_INTERNET_EXTENDED_ERROR) once the listing passes kMaxBytes or kMaxEntries.
    void Add(std::string_view bytes);
    // The entries, after the last line (which may lack its line end).
    std::vector<ListingEntry> Finish();

    // No byte other than blanks and line ends so far (after Finish: in the whole listing).
    bool Blank() const { return m_blank; }

private:
    void TakeLine(std::string_view line);

    ListingFormat m_format;
    std::int64_t m_nowUtc;
    bool m_skipUnsafe;
    std::vector<ListingEntry> m_entries;
    std::string m_partial;           // a line begun in an earlier block
    bool m_skippingLongLine = false; // the rest of an overlong line, up to its line end
    std::uint64_t m_bytes = 0;
    bool m_blank = true;
};
