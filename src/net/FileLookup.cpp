#include "net/FileLookup.h"

#include "net/Attempts.h"
#include "net/FtpFileFindEx.h"
#include "net/PathParts.h"
#include "platform/inet/FtpConnection.h"
#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/FileFind.h"
#include "platform/localfs/FileOperations.h"

#include <limits>

namespace {

// A change of directory on a host can fail once on a busy server, without the directory being
// gone; a few immediate attempts ride that out.
constexpr int kRemoteChangeDirectoryAttempts = 6;

bool EnterDirectory(Endpoint endpoint, const std::string& directory)
{
    if (!endpoint)
        return localfs::SetCurrentDirectory(directory);
    return AttemptOnHost(*endpoint, kRemoteChangeDirectoryAttempts,
                         [&] { return endpoint->SetCurrentDirectory(directory); });
}

// Leaves the finder on the entry of exactly that name. A local bare name holding "*" or "?"
// is searched as a pattern, so its matches are stepped through.
bool StepOnto(CFileFinder& finder, const std::string& name)
{
    for (bool more = true; more;) {
        more = finder.FindNextFile();
        if (finder.GetFileName() == name)
            return true;
    }
    return false;
}

// The look-up by directory and name; the caller reads the entry and closes the finder.
bool FindEntry(Endpoint endpoint, const std::string& path, CFileFinder& finder)
{
    std::string directory;
    std::string name;
    SplitPath(path, directory, name);
    if (directory.empty() || !IsEntryName(name) || !EnterDirectory(endpoint, directory))
        return false;
    return finder.FindFile(name, endpoint ? INTERNET_FLAG_RELOAD : 0) && StepOnto(finder, name);
}

std::int64_t ClampedSize(std::uint64_t size)
{
    constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    return static_cast<std::int64_t>(size > kLargest ? kLargest : size);
}

// A host that let SIZE or MDTM time out would let the listing time out too: one wait is enough.
bool TimedOut(const CFtpConnection& connection)
{
    return connection.GetLastErrorCode() == ERROR_INTERNET_TIMEOUT;
}

} // namespace

int FileExists(Endpoint endpoint, const std::string& path)
{
    try {
        std::unique_ptr<CFileFinder> finder;
        if (endpoint)
            finder = std::make_unique<CFtpFileFind>(endpoint, kFinderContext);
        else
            finder = std::make_unique<CFileFind>();
        const bool found = FindEntry(endpoint, path, *finder);
        finder->Close();
        return found;
    } catch (...) {
        return 0;   // not found: the operations answer with a flag only
    }
}

int GetFileInfo(Endpoint endpoint, const std::string& path, std::string& sizeText, std::int64_t& modified)
{
    sizeText = kUnknownSize;
    try {
        if (!endpoint) {
            const std::optional<localfs::FileStatus> status = localfs::GetFileStatus(path);
            if (!status)
                return 0;
            sizeText = std::to_string(status->size);
            modified = status->modified;
            return 1;
        }
        // Both facts from the control connection, or both from the listing: a server that
        // answers one for a directory still refuses the other.
        const std::optional<std::uint64_t> size = endpoint->GetFileSize(path);
        const std::optional<std::int64_t> time = size ? endpoint->GetFileModifiedTime(path) : std::nullopt;
        if (size && time) {
            sizeText = std::to_string(*size);
            modified = *time;
            return 1;
        }
        if (TimedOut(*endpoint))
            return 0;
        CFtpFileFindEx finder(endpoint, kFinderContext);
        const bool found = FindEntry(endpoint, path, finder);
        if (found) {
            sizeText = std::to_string(finder.GetLength());
            modified = finder.GetLastWriteTime();
        }
        finder.Close();
        return found;
    } catch (...) {
        return 0;
    }
}

std::int64_t GetRemoteFileSize(CFtpConnection* connection, const std::string& path)
{
    constexpr std::int64_t kNotFound = -1;
    if (!connection)
        return kNotFound;
    try {
        if (const std::optional<std::uint64_t> stored = connection->GetFileSize(path))
            return ClampedSize(*stored);
        if (TimedOut(*connection))
            return kNotFound;
        CFtpFileFindEx finder(connection, kFinderContext);
        std::int64_t size = kNotFound;
        if (FindEntry(connection, path, finder))
            size = ClampedSize(finder.GetLength());
        finder.Close();
        return size;
    } catch (...) {
        return kNotFound;
    }
}
