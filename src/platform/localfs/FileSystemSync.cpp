#include "platform/localfs/FileSystemSync.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace localfs {

bool FileSystemSync::Add(int fd)
{
    struct stat status {};
    if (fstat(fd, &status) != 0)
        return false;
    if (m_fileSystems.count(status.st_dev) != 0)
        return true;
    UniqueFd held(fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (!held)
        return false;
    m_fileSystems.emplace(status.st_dev, std::move(held));
    return true;
}

bool FileSystemSync::SyncAll(std::string& why)
{
    bool stored = true;
    for (const auto& [device, held] : m_fileSystems) {
        if (syncfs(held.Get()) != 0 && stored) {
            why = std::strerror(errno);
            stored = false;
        }
    }
    m_fileSystems.clear();
    return stored;
}

}  // namespace localfs
