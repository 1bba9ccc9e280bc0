// The four copy routines and the block loop they share.

#include "net/FileTransfer.h"

#include "net/FileLookup.h"
#include "net/TransferFiles.h"
#include "platform/inet/FtpConnection.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetFile.h"

#include <vector>

namespace {

// One read asks for at most a block; the buffer has room to spare, as it always had.
constexpr std::uint32_t kBlockSize = 10240;
constexpr std::size_t kBufferSize = 11240;

// Closes the source, then the target. A copy is complete only once both closed without
// complaint; a cancelled copy stays cancelled whatever the ends answer on closing (an
// unfinished download answers that it was aborted).
CopyResult CloseEnds(BlockSource& source, BlockTarget& target, CopyResult result)
{
    if (result != Cancelled) {
        source.Close();
        target.Close();
        return result;
    }
    try {
        source.Close();
    } catch (const std::exception&) {
    }
    try {
        target.Close();
    } catch (const std::exception&) {
    }
    return Cancelled;
}

// A host file's size: the listing's, or when it was not listed what the opened file can tell.
std::uint64_t SizeOfSource(std::int64_t listed, const RemoteSource& source)
{
    return listed >= 0 ? static_cast<std::uint64_t>(listed) : source.Available();
}

}  // namespace

CopyResult CFileTransfer::RunRoutine(const CopyPaths& paths)
{
    // Any failure inside a routine is that file's failure: the caller shows its own text, and
    // the files are released by their owners on the way out.
    try {
        switch (m_mode) {
        case LocalToLocal:
            return CopyLocalToLocal(paths);
        case LocalToRemote:
            return Upload(paths);
        case RemoteToLocal:
            return Download(paths);
        case RemoteToRemote:
        case SameRemote:
            return CopyRemoteToRemote(paths);
        }
    } catch (const CInternetException& error) {
        Fail(error.GetText());
    } catch (const std::exception& error) {
        Fail(error.what());
    } catch (...) {
        Fail("Unknown error");
    }
    return CopyFailed;
}

void CFileTransfer::ShowFiles(const CopyPaths& paths)
{
    if (m_pDialog)
        m_pDialog->ShowFiles(paths.source, paths.destination);
}

localfs::FileSystemSync* CFileTransfer::LaterSyncFor(const CopyPaths& paths)
{
    // A temporary file is renamed over the file it replaces: its data must be on the disk
    // first, or a crash could leave the name with neither the old content nor the new.
    return paths.exclusive ? nullptr : &m_deferredSync;
}

CopyResult CFileTransfer::CopyBlocks(BlockSource& source, BlockTarget& target, std::uint64_t size)
{
    std::vector<char> buffer(kBufferSize);
    const BarScale bar = BarScale::ForSize(size);
    double barCarried = 0;
    if (m_pDialog)
        m_pDialog->SetBarRange(bar.range);
    UpdateProgress(0, size);
    for (;;) {
        const std::uint32_t got = source.Read(buffer.data(), kBlockSize);
        if (got == 0)
            return Copied;
        // Handed to the system at once; a local file is made durable once (see LaterSyncFor).
        target.Write(buffer.data(), got);
        if (m_pDialog)
            m_pDialog->AdvanceBar(bar.Step(got, barCarried));
        m_bytesCopied += got;
        UpdateProgress(m_bytesCopied, size);
        if (m_pDialog)
            m_pDialog->PumpMessages();
        if (m_bCancelRequested)
            return Cancelled;
    }
}

CopyResult CFileTransfer::CopyLocalToLocal(const CopyPaths& paths)
{
    ShowFiles(paths);
    LocalSource source(paths.source);
    LocalTarget target(paths.target, paths.exclusive, LaterSyncFor(paths));
    return CloseEnds(source, target, CopyBlocks(source, target, source.Size()));
}

std::unique_ptr<CInternetFile> CFileTransfer::OpenOnHost(CFtpConnection& connection, const std::string& path,
                                                         std::uint32_t access, std::uint32_t type)
{
    std::string why;
    std::unique_ptr<CInternetFile> file = OpenRemoteFile(connection, path, access, type, why);
    if (!file)
        Fail(why);
    return file;
}

CopyResult CFileTransfer::Upload(const CopyPaths& paths)
{
    ShowFiles(paths);
    // The local source opens first: a source that cannot be read must not leave an empty file
    // on the host that looks like a copy.
    LocalSource source(paths.source);
    const std::uint32_t type = FtpTransferType();
    std::unique_ptr<CInternetFile> file = OpenOnHost(*m_destination, paths.target, GENERIC_WRITE, type);
    if (!file)
        return CopyFailed;
    RemoteTarget target(std::move(file));
    const CopyResult result = CloseEnds(source, target, CopyBlocks(source, target, source.Size()));
    if (result == Copied && type == FTP_TRANSFER_TYPE_BINARY && !RemoteSizeMatches(paths.target))
        return CopyFailed;
    return result;
}

CopyResult CFileTransfer::Download(const CopyPaths& paths)
{
    ShowFiles(paths);
    const std::int64_t listed = GetRemoteFileSize(m_source, paths.source);
    std::unique_ptr<CInternetFile> file = OpenOnHost(*m_source, paths.source, GENERIC_READ, FtpTransferType());
    if (!file)
        return CopyFailed;
    RemoteSource source(std::move(file));
    LocalTarget target(paths.target, paths.exclusive, LaterSyncFor(paths));
    return CloseEnds(source, target, CopyBlocks(source, target, SizeOfSource(listed, source)));
}

CopyResult CFileTransfer::CopyRemoteToRemote(const CopyPaths& paths)
{
    ShowFiles(paths);
    const std::int64_t listed = GetRemoteFileSize(m_source, paths.source);
    const std::uint32_t type = FtpTransferType();
    std::unique_ptr<CInternetFile> sourceFile = OpenOnHost(*m_source, paths.source, GENERIC_READ, type);
    if (!sourceFile)
        return CopyFailed;
    RemoteSource source(std::move(sourceFile));
    // Within one host the file being written sits on the second connection.
    CFtpConnection& writer = m_mode == SameRemote ? *m_pExtraConnection : *m_destination;
    std::unique_ptr<CInternetFile> targetFile = OpenOnHost(writer, paths.target, GENERIC_WRITE, type);
    if (!targetFile)
        return CopyFailed;
    RemoteTarget target(std::move(targetFile));
    const CopyResult result = CloseEnds(source, target, CopyBlocks(source, target, SizeOfSource(listed, source)));
    if (result == Copied && type == FTP_TRANSFER_TYPE_BINARY && !RemoteSizeMatches(paths.target))
        return CopyFailed;
    return result;
}

bool CFileTransfer::RemoteSizeMatches(const std::string& path)
{
    // A host that cannot say (the file is not listed) is taken at its final reply's word.
    const std::int64_t stored = GetRemoteFileSize(m_destination, path);
    if (stored < 0 || static_cast<std::uint64_t>(stored) == m_bytesCopied)
        return true;
    Fail("The host holds " + std::to_string(stored) + " bytes of " + std::to_string(m_bytesCopied) + " sent");
    return false;
}
