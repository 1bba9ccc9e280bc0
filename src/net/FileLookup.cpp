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
        CFtpFileFindEx finder(connection, kFinderContext);
        std::int64_t size = kNotFound;
        if (FindEntry(connection, path, finder)) {
            const std::uint64_t length = finder.GetLength();
            constexpr auto kLargest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
            size = static_cast<std::int64_t>(length > kLargest ? kLargest : length);
        }
        finder.Close();
        return size;
    } catch (...) {
        return kNotFound;
    }
}
