#include "platform/registry/AtomicFile.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kFileMode = 0600;
constexpr mode_t kFolderMode = 0700;
constexpr int kMaxAsideAttempts = 100;
// As the kernel's own limit on links followed in one lookup.
constexpr int kMaxLinksFollowed = 40;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }
    // Closes now, so that an error of the close itself is seen.
    int Close()
    {
        int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

} // namespace

std::string FolderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

int EnsureFolder(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    std::string parent = FolderOf(folder);
    if (parent != folder) {
        if (int error = EnsureFolder(parent))
            return error;
    }
    if (::mkdir(folder.c_str(), kFolderMode) != 0 && errno != EEXIST)
        return errno;
    // The umask may have taken bits; the folder is the owner's alone either way.
    ::chmod(folder.c_str(), kFolderMode);
    return 0;
}

namespace {

int WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int WriteTemporary(int fd, std::string_view content)
{
    // fchmod on the open file: the mode holds whatever the umask, also when an old file with
    // other permissions is replaced.
    if (::fchmod(fd, kFileMode) != 0)
        return errno;
    if (int error = WriteAll(fd, content))
        return error;
    if (::fsync(fd) != 0)
        return errno;
    return 0;
}

void SyncFolder(const std::string& folder)
{
    // Makes the rename itself durable; a failure here cannot undo the rename, so it is ignored.
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0)
        ::fsync(fd.Get());
}

} // namespace

FileReadResult ReadWholeFile(const std::string& path, std::string& content, int* error)
{
    content.clear();
    auto unreadable = [error] {
        if (error)
            *error = errno;
        return FileReadResult::Unreadable;
    };
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? FileReadResult::Missing : unreadable();
    if (!S_ISREG(info.st_mode))
        return FileReadResult::NotRegular;
    // Non-blocking, in case a FIFO took the file's place since the look above.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.Get() < 0)
        return errno == ENOENT ? FileReadResult::Missing : unreadable();
    if (::fstat(fd.Get(), &info) != 0)
        return unreadable();
    if (!S_ISREG(info.st_mode))
        return FileReadResult::NotRegular;
    if (static_cast<std::size_t>(info.st_size) > kMaxStoreFileSize)
        return FileReadResult::TooLarge;
    char buffer[65536];
    while (true) {
        ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return unreadable();
        }
        if (got == 0)
            return FileReadResult::Read;
        if (content.size() + static_cast<std::size_t>(got) > kMaxStoreFileSize)
            return FileReadResult::TooLarge;
        content.append(buffer, static_cast<std::size_t>(got));
    }
}

int ResolveFileLinks(const std::string& path, std::string& target)
{
    target = path;
    for (int followed = 0; followed < kMaxLinksFollowed; ++followed) {
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 0;
        std::string link(static_cast<std::size_t>(info.st_size) + 1, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length < 0)
            return errno;
        if (length == 0)
            return ENOENT;
        // A link that grew since lstat reads as cut; it is read again on the next round.
        if (static_cast<std::size_t>(length) >= link.size())
            continue;
        link.resize(static_cast<std::size_t>(length));
        target = link.front() == '/' ? link : FolderOf(target) + "/" + link;
    }
    return ELOOP;
}

int WriteFileAtomically(const std::string& path, std::string_view content)
{
    std::string folder = FolderOf(path);
    if (int error = EnsureFolder(folder))
        return error;
    std::string name = path.substr(path.find_last_of('/') + 1);
    std::string temporary = folder + "/." + name + ".tmp-XXXXXX";
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.Get() < 0)
        return errno;
    int error = WriteTemporary(fd.Get(), content);
    if (fd.Close() != 0 && !error)
        error = errno;
    if (!error && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolder(folder);
    return 0;
}

bool KeepFileAside(const std::string& path)
{
    std::string base = path + ".corrupt-" + std::to_string(std::time(nullptr));
    for (int attempt = 0; attempt < kMaxAsideAttempts; ++attempt) {
        std::string target = attempt == 0 ? base : base + "-" + std::to_string(attempt);
        struct stat info {};
        if (::lstat(target.c_str(), &info) == 0)
            continue;
        return ::rename(path.c_str(), target.c_str()) == 0;
    }
    return false;
}
