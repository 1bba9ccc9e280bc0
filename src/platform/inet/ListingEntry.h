#pragma once
// One parsed line of a directory listing (LIST or MLSD).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ListingEntry {
    std::string name;
    std::uint64_t size = 0;
    bool sizeKnown = false;
    bool isDirectory = false;
    bool isLink = false;          // a symbolic link; linkTarget holds where it points if known
    std::string linkTarget;
    std::int64_t modified = 0;    // seconds since 1970-01-01 UTC
    bool timeKnown = false;
    bool isCurrentOrParent = false;   // MLSD type=cdir / type=pdir
};

// The listing layouts the parsers read. Auto reads any layout of LIST output (not MLSD, which
// is asked for explicitly).
enum class ListingFormat { Auto, Unix, Dos, Mlsd, Eplf, NetWare, Os2, Vms, Ibmi, Mvs, VxWorks, WinCe, Embedded };
