// get and put: whole files through CInternetFile, block by block as the program copies them.

#include "probe/Commands.h"

#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"
#include "probe/RemoveOnSignal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <vector>

namespace {

// The block size the program's transfer engine uses.
constexpr std::uint32_t kBlockSize = 10240;

std::uint32_t TransferType(const ProbeOptions& options)
{
    return options.ascii ? FTP_TRANSFER_TYPE_ASCII : FTP_TRANSFER_TYPE_BINARY;
}

// A download's bytes go to a temporary file beside the target, which takes the target's name
// only once the server has confirmed the transfer: a failed download never leaves a file that
// looks complete. Removed unless committed, also when a signal stops the probe.
class PartialFile {
public:
    explicit PartialFile(const std::filesystem::path& target) : m_target(target)
    {
        std::filesystem::path directory = target.parent_path().empty() ? "." : target.parent_path();
        std::string pattern = (directory / ("." + target.filename().string() + ".part-XXXXXX")).string();
        m_fd = mkstemp(pattern.data());
        if (m_fd < 0)
            throw std::runtime_error("cannot create a file beside " + target.string() + ": " + std::strerror(errno));
        m_path = pattern;
        try {
            m_removeOnSignal.Register(m_path);
        } catch (...) {
            close(m_fd);
            unlink(m_path.c_str());
            throw;
        }
    }
    ~PartialFile()
    {
        if (m_fd >= 0)
            close(m_fd);
        if (!m_committed)
            unlink(m_path.c_str());
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    void Write(const char* data, std::size_t size)
    {
        while (size > 0) {
            ssize_t written = ::write(m_fd, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                throw std::runtime_error("cannot write " + m_path + ": " + std::strerror(errno));
            data += written;
            size -= static_cast<std::size_t>(written);
        }
    }
    void Commit()
    {
        // The mode a plain new file would get: mkstemp makes it readable by its owner only.
        mode_t mask = umask(0);
        umask(mask);
        if (fchmod(m_fd, 0666 & ~mask) != 0 || fsync(m_fd) != 0 || close(m_fd) != 0) {
            m_fd = -1;
            throw std::runtime_error("cannot finish " + m_path + ": " + std::strerror(errno));
        }
        m_fd = -1;
        if (std::rename(m_path.c_str(), m_target.c_str()) != 0)
            throw std::runtime_error("cannot rename the download to " + m_target.string() + ": " +
                                     std::strerror(errno));
        m_removeOnSignal.Unregister();
        m_committed = true;
    }

private:
    // Before the file exists and until after it is removed: a signal between never leaves it.
    RemoveOnSignal m_removeOnSignal;
    std::filesystem::path m_target;
    std::string m_path;
    int m_fd = -1;
    bool m_committed = false;
};

} // namespace

int GetFile(CFtpConnection& connection, const ProbeOptions& options, std::ostream& err)
{
    const std::string& remote = options.arguments[0];
    const std::filesystem::path local = options.arguments[1];
    try {
        PartialFile partial(local);
        std::unique_ptr<CInternetFile> file(connection.OpenFile(remote, GENERIC_READ, TransferType(options)));
        std::vector<char> block(kBlockSize);
        while (std::uint32_t got = file->Read(block.data(), kBlockSize))
            partial.Write(block.data(), got);
        file->Close();
        partial.Commit();
    } catch (const std::runtime_error& error) {
        if (dynamic_cast<const CInternetException*>(&error))
            throw;
        err << "ferrix-probe: get " << remote << ": " << error.what() << '\n';
        return 1;
    }
    return 0;
}

int PutFile(CFtpConnection& connection, const ProbeOptions& options, std::ostream& err)
{
    const std::string& local = options.arguments[0];
    const std::string& remote = options.arguments[1];
    std::ifstream in(local, std::ios::binary);
    if (!in) {
        err << "ferrix-probe: put: cannot read " << local << '\n';
        return 1;
    }
    std::unique_ptr<CInternetFile> file(connection.OpenFile(remote, GENERIC_WRITE, TransferType(options)));
    std::vector<char> block(kBlockSize);
    while (in) {
        in.read(block.data(), kBlockSize);
        if (in.gcount() > 0)
            file->Write(block.data(), static_cast<std::uint32_t>(in.gcount()));
    }
    if (in.bad()) {
        err << "ferrix-probe: put: cannot read " << local << '\n';
        return 1;   // the remote file is closed unconfirmed by its destructor
    }
    file->Close();
    return 0;
}
