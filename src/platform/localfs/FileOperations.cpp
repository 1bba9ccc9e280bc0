#include "platform/localfs/FileOperations.h"

#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/DriveMap.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace localfs {
namespace {

// Directories get every permission the user's umask leaves, as the platform's default
// security gives the creator full access.
constexpr mode_t kNewDirectoryMode = 0777;

// The native path, or nullopt with errno ENOENT: a path on no drive is treated as missing.
std::optional<std::string> Native(const std::string& path)
{
    const std::string full = ResolveProgramPath(path);
    std::optional<std::string> native = full.empty() ? std::nullopt : ToNativePath(full);
    if (!native)
        errno = ENOENT;
    return native;
}

}  // namespace

bool CreateDirectory(const std::string& path)
{
    const std::optional<std::string> native = Native(path);
    return native && mkdir(native->c_str(), kNewDirectoryMode) == 0;
}

bool RemoveDirectory(const std::string& path)
{
    const std::optional<std::string> native = Native(path);
    return native && rmdir(native->c_str()) == 0;
}

bool MoveFile(const std::string& from, const std::string& to)
{
    const std::optional<std::string> source = Native(from);
    const std::optional<std::string> target = Native(to);
    if (!source || !target)
        return false;
    if (renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, target->c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // The file system cannot refuse replacing by itself: look first. Another process could
    // create the target in between; one thread of ours cannot.
    struct stat existing {};
    if (lstat(target->c_str(), &existing) == 0) {
        errno = EEXIST;
        return false;
    }
    if (errno != ENOENT)
        return false;
    return ::rename(source->c_str(), target->c_str()) == 0;
}

bool DeleteFile(const std::string& path)
{
    const std::optional<std::string> native = Native(path);
    return native && unlink(native->c_str()) == 0;
}

int remove(const std::string& path)
{
    const std::optional<std::string> native = Native(path);
    return native ? std::remove(native->c_str()) : -1;
}

int rename(const std::string& from, const std::string& to)
{
    const std::optional<std::string> source = Native(from);
    const std::optional<std::string> target = Native(to);
    return source && target ? std::rename(source->c_str(), target->c_str()) : -1;
}

std::optional<FileStatus> GetFileStatus(const std::string& path)
{
    const std::optional<std::string> native = Native(path);
    struct stat status {};
    if (!native || stat(native->c_str(), &status) != 0)
        return std::nullopt;
    FileStatus result;
    result.directory = S_ISDIR(status.st_mode);
    result.size = result.directory ? 0 : static_cast<std::uint64_t>(status.st_size);
    result.modified = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    return result;
}

}  // namespace localfs
