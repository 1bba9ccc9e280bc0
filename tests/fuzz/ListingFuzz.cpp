// Feeds any bytes through the listing parsers in every format. Besides the sanitizers' checks
// (no crash, no read out of bounds, no undefined behaviour), every entry handed to callers
// must carry a safe name, and its JSON form must stay on one line.

#include "platform/inet/ListingEntryJson.h"
#include "platform/inet/ListingParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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
    for (const ListingFormat format : {ListingFormat::Auto, ListingFormat::Unix, ListingFormat::Dos,
                                       ListingFormat::Mlsd}) {
        for (const ListingEntry& entry : ParseListing(text, format, kCaptureTime)) {
            Require(IsSafeEntryName(entry.name));
            Require(!entry.isCurrentOrParent);
        }
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
        for (const ListingEntry& entry : ParseListing(text, ListingFormat::Unix, now))
            Require(IsSafeEntryName(entry.name));
    }
    return 0;
}
