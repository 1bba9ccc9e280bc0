#include "res/StringTable.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace {

struct StringEntry {
    unsigned id;
    std::string_view text;
};

// Kept in ascending order of id.
constexpr StringEntry kStrings[] = {
    {IDS_MEMORY_KB, "%lu KB"},
    {IDS_DISK_FREE, "%lu KB Free on %c:"},
    {IDS_UNAVAILABLE, "Unavailable"},
    {IDS_NO_INTERNET_SESSION, "Cannot open an Internet Session.  Please check your internet configuration."},
    {IDS_CONNECTION_EXCEPTION,
     "An exception occurred when attempting to create an FTP connection.\r\n  Please check your internet "
     "configuration and make sure your environment\r\n is set up with WININET.DLL in the path."},
    {IDS_COMPANY_NAME, "CompanyName"},
    {IDS_PRODUCT_NAME, "ProductName"},
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const StringEntry& a, const StringEntry& b) { return a.id < b.id; }),
              "string table entries must be in ascending order of id");

} // namespace

std::string LoadString(unsigned id)
{
    auto entry = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                  [](const StringEntry& e, unsigned wanted) { return e.id < wanted; });
    if (entry == std::end(kStrings) || entry->id != id)
        return {};
    return std::string(entry->text);
}
