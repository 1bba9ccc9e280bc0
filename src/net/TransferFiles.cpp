#include "net/TransferFiles.h"

#include "net/Attempts.h"
#include "net/Endpoint.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"
#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/DriveMap.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

// New files get every permission the user's umask leaves, as other programs' copies do.
constexpr mode_t kNewFileMode = 0666;

[[noreturn]] void ThrowErrno(const std::string& what)
{
    throw std::system_error(errno, std::generic_category(), what);
}

std::string NativePath(const std::string& path)
{
    const std::string full = localfs::ResolveProgramPath(path);
    std::optional<std::string> native = full.empty() ? std::nullopt : localfs::ToNativePath(full);
    if (!native) {
        errno = ENOENT;
        ThrowErrno(path);
    }
    return *native;
}

localfs::UniqueFd OpenLocal(const std::string& path, int flags)
{
    localfs::UniqueFd fd(open(NativePath(path).c_str(), flags | O_CLOEXEC, kNewFileMode));
    if (!fd)
        ThrowErrno(path);
    return fd;
}

}  // namespace

LocalSource::LocalSource(const std::string& path) : m_fd(OpenLocal(path, O_RDONLY))
{
    struct stat status {};
    if (fstat(m_fd.Get(), &status) != 0)
        ThrowErrno(path);
    if (S_ISDIR(status.st_mode)) {
        errno = EISDIR;
        ThrowErrno(path);
    }
}

std::uint64_t LocalSource::Size() const
{
    struct stat status {};
    return fstat(m_fd.Get(), &status) == 0 ? static_cast<std::uint64_t>(status.st_size) : 0;
}

std::uint32_t LocalSource::Read(char* buffer, std::uint32_t count)
{
    for (;;) {
        const ssize_t got = read(m_fd.Get(), buffer, count);
        if (got >= 0)
            return static_cast<std::uint32_t>(got);
        if (errno != EINTR)
            ThrowErrno("read");
    }
}

void LocalSource::Close()
{
    m_fd = localfs::UniqueFd();
}

LocalTarget::LocalTarget(const std::string& path, bool exclusive, localfs::FileSystemSync* later)
    : m_fd(OpenLocal(path, O_WRONLY | O_CREAT | (exclusive ? O_EXCL : O_TRUNC))), m_later(later)
{
}

void LocalTarget::Write(const char* buffer, std::uint32_t count)
{
    while (count > 0) {
        const ssize_t put = write(m_fd.Get(), buffer, count);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno("write");
        }
        buffer += put;
        count -= static_cast<std::uint32_t>(put);
    }
}

void LocalTarget::Close()
{
    if (m_later) {
        if (!m_later->Add(m_fd.Get()))
            ThrowErrno("keeping the file for the batch's sync");
    } else if (fdatasync(m_fd.Get()) != 0) {
        ThrowErrno("fdatasync");
    }
    // Some file systems (NFS among them) tell a failed write only when the file is closed.
    if (close(m_fd.Release()) != 0 && errno != EINTR)
        ThrowErrno("close");
}

RemoteSource::RemoteSource(std::unique_ptr<CInternetFile> file) : m_file(std::move(file)) {}
RemoteSource::~RemoteSource() = default;

std::uint64_t RemoteSource::Available() const
{
    return m_file->GetLength();
}

std::uint32_t RemoteSource::Read(char* buffer, std::uint32_t count)
{
    return m_file->Read(buffer, count);
}

void RemoteSource::Close()
{
    m_file->Close();
}

RemoteTarget::RemoteTarget(std::unique_ptr<CInternetFile> file) : m_file(std::move(file)) {}
RemoteTarget::~RemoteTarget() = default;

void RemoteTarget::Write(const char* buffer, std::uint32_t count)
{
    m_file->Write(buffer, count);
}

void RemoteTarget::Close()
{
    m_file->Close();
}

std::unique_ptr<CInternetFile> OpenRemoteFile(CFtpConnection& connection, const std::string& path,
                                              std::uint32_t access, std::uint32_t type, std::string& why)
{
    std::unique_ptr<CInternetFile> file;
    std::uint32_t lastCode = 0;
    // A host that let its time-out pass is not asked again at once: the user has waited once.
    AttemptUpTo(
        kOpenAttempts,
        [&] {
            try {
                file.reset(connection.OpenFile(path, access, type, kFinderContext));
            } catch (const CInternetException& error) {
                lastCode = error.m_dwError;
                why = error.GetText();
                throw;
            }
            return file != nullptr;
        },
        [&] { return lastCode == ERROR_INTERNET_TIMEOUT; });
    return file;
}
