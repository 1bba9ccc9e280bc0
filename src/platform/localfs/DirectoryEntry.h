#pragma once
// One entry of a local directory as the finder reports it.

#include <cstdint>
#include <string>

namespace localfs {

struct DirectoryEntry {
    std::string name;
    std::uint64_t size = 0;
    std::int64_t modified = 0;   // seconds since 1970-01-01 UTC, st_mtime
    bool directory = false;
    bool symbolicLink = false;
};

}  // namespace localfs
