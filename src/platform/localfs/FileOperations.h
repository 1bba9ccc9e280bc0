#pragma once
// The local file operations the program asks of the platform, in program paths
// ("C:/Temp/a.txt"; any form SetCurrentDirectory accepts). They live in namespace localfs so that
// remove and rename do not meet the C library's. A path that names no drive, or climbs above
// one, fails like a missing file. On failure errno holds the system's reason (ENOENT for a path
// on no drive, EEXIST for a move onto an existing target), for logs and tests.

#include <cstdint>
#include <optional>
#include <string>

namespace localfs {

// A new directory; fails if anything of that name exists.
bool CreateDirectory(const std::string& path);
// Removes an empty directory.
bool RemoveDirectory(const std::string& path);
// Moves or renames a file or directory; fails if the target exists. Both ends must lie on the
// same file system (a move between drives on different ones fails).
bool MoveFile(const std::string& from, const std::string& to);
// Deletes a file (never a directory).
bool DeleteFile(const std::string& path);

// The C library's pair: 0 on success, -1 on failure. remove also removes an empty directory;
// rename replaces an existing target.
int remove(const std::string& path);
int rename(const std::string& from, const std::string& to);

struct FileStatus {
    std::uint64_t size = 0;
    std::int64_t modified = 0;   // seconds since 1970-01-01 UTC, st_mtime
    bool directory = false;
};

// The status of what the path names, links followed; nullopt when there is nothing.
std::optional<FileStatus> GetFileStatus(const std::string& path);

}  // namespace localfs
