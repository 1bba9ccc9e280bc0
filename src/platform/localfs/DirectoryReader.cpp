#include "platform/localfs/DirectoryReader.h"

#include "platform/AsciiCase.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace localfs {
namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool IsDotsName(const std::string& name)
{
    return name == "." || name == "..";
}

// fnmatch knows brackets and backslashes as well; in our patterns they are plain characters.
std::string FnmatchPattern(const std::string& wildcard)
{
    std::string pattern;
    for (char c : wildcard) {
        if (c == '[' || c == ']' || c == '\\')
            pattern += '\\';
        pattern += c;
    }
    return pattern;
}

// The entry `name` relative to the open folder `dirFd` (AT_FDCWD for a path).
std::optional<DirectoryEntry> StatEntry(int dirFd, const std::string& name, const std::string& shownName)
{
    struct stat status {};
    if (fstatat(dirFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    DirectoryEntry entry;
    entry.name = shownName;
    if (S_ISLNK(status.st_mode)) {
        entry.symbolicLink = true;
        struct stat target {};
        // A dangling link keeps the link's own status.
        if (fstatat(dirFd, name.c_str(), &target, 0) == 0)
            status = target;
    }
    entry.directory = S_ISDIR(status.st_mode);
    entry.size = entry.directory ? 0 : static_cast<std::uint64_t>(status.st_size);
    entry.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    return entry;
}

bool ListedBefore(const DirectoryEntry& a, const DirectoryEntry& b)
{
    const bool aDots = IsDotsName(a.name);
    const bool bDots = IsDotsName(b.name);
    if (aDots != bDots)
        return aDots;
    // Names that differ only in case keep one order, so a listing reads the same each time.
    return CompareNoCaseThenBytes(a.name, b.name) < 0;
}

}  // namespace

std::vector<DirectoryEntry> ReadDirectory(const std::string& folder, const std::string& wildcard, int& error)
{
    std::vector<DirectoryEntry> entries;
    DirHandle dir(opendir(folder.c_str()));
    error = dir ? 0 : errno;
    if (!dir)
        return entries;
    const std::string pattern = FnmatchPattern(wildcard);
    while (const dirent* item = readdir(dir.get())) {
        const std::string name = item->d_name;
        if (fnmatch(pattern.c_str(), name.c_str(), 0) != 0)
            continue;
        // An entry removed while the folder is read is simply not reported.
        if (std::optional<DirectoryEntry> entry = StatEntry(dirfd(dir.get()), name, name))
            entries.push_back(std::move(*entry));
    }
    std::sort(entries.begin(), entries.end(), ListedBefore);
    return entries;
}

std::optional<DirectoryEntry> ReadEntry(const std::string& folder, const std::string& name)
{
    const std::string path = folder == "/" ? "/" + name : folder + "/" + name;
    return StatEntry(AT_FDCWD, path, name);
}

}  // namespace localfs
