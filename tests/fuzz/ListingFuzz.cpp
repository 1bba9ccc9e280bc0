// Feeds any bytes through the listing parsers in every format. Besides the sanitizers' checks
// (no crash, no read out of bounds, no undefined behaviour), every entry handed to callers
// must carry a safe name, and its JSON form must stay on one line.

#include "platform/inet/ListingEntryJson.h"
#include "platform/inet/ListingParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string_view>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    constexpr std::int64_t kCaptureTime = 1796699789;   // 2026-12-08T03:16:29Z
    constexpr ListingFormat kFormats[] = {
        ListingFormat::Auto, ListingFormat::Unix,    ListingFormat::Dos,   ListingFormat::Mlsd,
        ListingFormat::Eplf, ListingFormat::NetWare, ListingFormat::Os2,   ListingFormat::Vms,
        ListingFormat::Ibmi, ListingFormat::Mvs,     ListingFormat::VxWorks, ListingFormat::WinCe,
        ListingFormat::Embedded,
    };
    // The first byte picks the layout Auto starts with, as a server's SYST reply would.
    const ListingFormat hint = size > 0 ? kFormats[data[0] % std::size(kFormats)] : ListingFormat::Auto;
    for (const ListingFormat format : kFormats) {
        std::size_t skippedSeen = 0;
        const ListingReport report = ParseListingReport(text, format, kCaptureTime, hint, true,
                                                        [&](std::size_t, std::string_view) { ++skippedSeen; });
        for (const ListingEntry& entry : report.entries) {
            Require(IsSafeEntryName(entry.name));
            Require(!entry.isCurrentOrParent);
        }
        Require(skippedSeen == report.skippedLines);
        Require((report.skippedLines == 0) == report.firstSkipped.empty());
        // The session log's line: one line, no control bytes, however hostile the listing.
        for (const char c : DescribeSkippedLines(report))
            Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
        for (const ListingEntry& entry : ParseListing(text, format, kCaptureTime, /*skipUnsafe=*/false)) {
            Require(!entry.name.empty());
            Require(entry.name.size() <= kMaxListingLine);
            // Whatever bytes a name holds, its JSON form is one line without control bytes.
            for (const char c : ListingEntryToJson(entry))
                Require(static_cast<unsigned char>(c) >= 0x20);
        }
    }
    // Year inference against any clock at all, the edges of the calendar included.
    if (size >= sizeof(std::int64_t)) {
        std::int64_t now = 0;
        std::memcpy(&now, data + size - sizeof now, sizeof now);
        for (const ListingFormat format : {ListingFormat::Auto, ListingFormat::Unix, ListingFormat::NetWare})
            for (const ListingEntry& entry : ParseListing(text, format, now))
                Require(IsSafeEntryName(entry.name));
    }
    return 0;
}
