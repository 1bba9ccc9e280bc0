// Replacing an existing destination: the new copy is written under a hidden temporary name in
// the same directory and renamed over the old file only once it is complete, so that the old
// file survives a copy that fails or is cancelled.

#include "net/FileTransfer.h"

#include "net/Attempts.h"
#include "net/FileChanges.h"
#include "net/FileLookup.h"
#include "net/PathParts.h"
#include "platform/inet/FtpConnection.h"
#include "platform/localfs/FileOperations.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

// Names tried before giving up; with 64 random bits a clash is already next to impossible.
constexpr int kNameAttempts = 3;
constexpr int kReplaceAttempts = 5;

std::string RandomHiddenName()
{
    static std::mt19937_64 generator{std::random_device{}()};
    char name[40];
    std::snprintf(name, sizeof name, ".ferrix-%016llx.part", static_cast<unsigned long long>(generator()));
    return name;
}

}  // namespace

std::string CFileTransfer::TemporaryNameBeside(const std::string& destination)
{
    std::string directory;
    std::string name;
    SplitPath(destination, directory, name);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        // A local target is created exclusively as well, so a name taken in between fails
        // the copy rather than overwriting anything.
        std::string candidate = directory + RandomHiddenName();
        if (!FileExists(m_destination, candidate))
            return candidate;
    }
    Fail("No free temporary name in " + directory);
    return {};
}

bool CFileTransfer::ReplaceWith(const std::string& temporary, const std::string& destination)
{
    if (!m_destination) {
        if (localfs::rename(temporary, destination) == 0)
            return true;
        Fail(destination + ": " + std::strerror(errno));
        localfs::DeleteFile(temporary);
        return false;
    }
    CFtpConnection& connection = *m_destination;
    if (AttemptOnHost(connection, kReplaceAttempts, [&] { return connection.Rename(temporary, destination); }))
        return true;
    // Some hosts refuse to rename onto an existing name: the old file goes only now, once the
    // new one is complete on the host.
    if (RemoveFile(m_destination, destination) &&
        AttemptOnHost(connection, kReplaceAttempts, [&] { return connection.Rename(temporary, destination); }))
        return true;
    Fail(connection.GetLastErrorText());
    // When the old file is already gone the temporary file is the only copy left: it stays.
    if (FileExists(m_destination, destination))
        RemoveFile(m_destination, temporary);
    return false;
}
