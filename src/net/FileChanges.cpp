#include "net/FileChanges.h"

#include "net/Attempts.h"
#include "net/FileLookup.h"
#include "net/PathParts.h"
#include "platform/AsciiCase.h"
#include "platform/inet/FtpConnection.h"
#include "platform/localfs/FileOperations.h"

#include <algorithm>
#include <cerrno>

namespace {

constexpr int kActionAttempts = 5;

using LocalChange = bool (*)(const std::string&);
using RemoteChange = bool (CFtpConnection::*)(const std::string&);

// True when the path ends in one entry name; otherwise errno says the path was refused.
bool NamesEntry(const std::string& path)
{
    std::string directory;
    std::string name;
    SplitPath(path, directory, name);
    if (!directory.empty() && IsEntryName(name))
        return true;
    errno = EINVAL;
    return false;
}

// Both paths name an entry of the same directory; errno says why not.
bool IsRenameInPlace(const std::string& oldPath, const std::string& newPath)
{
    if (!NamesEntry(oldPath) || !NamesEntry(newPath))
        return false;
    std::string oldDirectory;
    std::string newDirectory;
    std::string name;
    SplitPath(oldPath, oldDirectory, name);
    SplitPath(newPath, newDirectory, name);
    if (oldDirectory == newDirectory)
        return true;
    errno = EINVAL;
    return false;
}

int Rename(Endpoint endpoint, const std::string& oldPath, const std::string& newPath)
{
    if (!IsRenameInPlace(oldPath, newPath))
        return 0;
    // RNTO replaces an existing file or empty directory on the servers we know, which would
    // delete it unasked; the local move never replaces.
    if (endpoint && !EqualsNoCase(oldPath, newPath) && FileExists(endpoint, newPath))
        return 0;
    // The local move refuses to replace on its own. The process's current directory is not
    // moved into the old path first: a directory the process stands in would then be renamed
    // from under it on this platform, and could not be on others.
    if (endpoint)
        return AttemptOnHost(*endpoint, kActionAttempts, [&] { return endpoint->Rename(oldPath, newPath); });
    return AttemptUpTo(kActionAttempts, [&] { return localfs::MoveFile(oldPath, newPath); });
}

int Change(Endpoint endpoint, const std::string& path, LocalChange local, RemoteChange remote)
{
    if (!NamesEntry(path))
        return 0;
    if (endpoint)
        return AttemptOnHost(*endpoint, kActionAttempts, [&] { return (endpoint->*remote)(path); });
    return AttemptUpTo(kActionAttempts, [&] { return local(path); });
}

} // namespace

int MakeDir(Endpoint endpoint, const std::string& path)
{
    return Change(endpoint, path, localfs::CreateDirectory, &CFtpConnection::CreateDirectory);
}

int RemoveDir(Endpoint endpoint, const std::string& path)
{
    return Change(endpoint, path, localfs::RemoveDirectory, &CFtpConnection::RemoveDirectory);
}

int RemoveFile(Endpoint endpoint, const std::string& path)
{
    // unlink, not remove(): a file operation must never take an empty directory with it.
    return Change(endpoint, path, localfs::DeleteFile, &CFtpConnection::Remove);
}

int RenameFile(Endpoint endpoint, const std::string& oldPath, const std::string& newPath)
{
    return Rename(endpoint, oldPath, newPath);
}

int RenameDir(Endpoint endpoint, const std::string& oldPath, const std::string& newPath)
{
    return Rename(endpoint, oldPath, newPath);
}
