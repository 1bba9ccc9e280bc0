#pragma once
// The two ends of one file copy, local or remote, behind one pair of interfaces so that the
// block loop is written once. Every failure is an exception (std::system_error for the local
// disk, CInternetException for a host); destroying an end that was not closed releases it
// without checking anything (an unfinished download is aborted, a partial local file stays).

#include "platform/localfs/FileSystemSync.h"
#include "platform/localfs/UniqueFd.h"

#include <cstdint>
#include <memory>
#include <string>

class CFtpConnection;
class CInternetFile;

class BlockSource {
public:
    virtual ~BlockSource() = default;
    // Up to `count` bytes; 0 at the end.
    virtual std::uint32_t Read(char* buffer, std::uint32_t count) = 0;
    virtual void Close() = 0;
};

class BlockTarget {
public:
    virtual ~BlockTarget() = default;
    // All `count` bytes, handed to the system (or the connection) at once.
    virtual void Write(const char* buffer, std::uint32_t count) = 0;
    // Ends the file; only after this returns is the copy complete.
    virtual void Close() = 0;
};

class LocalSource : public BlockSource {
public:
    explicit LocalSource(const std::string& path);   // a program path ("C:/a/b")
    std::uint64_t Size() const;
    std::uint32_t Read(char* buffer, std::uint32_t count) override;
    void Close() override;

private:
    localfs::UniqueFd m_fd;
};

class LocalTarget : public BlockTarget {
public:
    // Created, or truncated when it exists; with `exclusive` an existing file is an error.
    // With `later`, Close leaves the data for `later` to make durable together with the batch's
    // other files; without it, Close makes the data durable itself.
    LocalTarget(const std::string& path, bool exclusive, localfs::FileSystemSync* later = nullptr);
    void Write(const char* buffer, std::uint32_t count) override;
    // Makes the data durable (one fdatasync for the whole file) or hands it to `later`, then
    // closes, reporting what the system reports on closing.
    void Close() override;

private:
    localfs::UniqueFd m_fd;
    localfs::FileSystemSync* m_later;
};

class RemoteSource : public BlockSource {
public:
    explicit RemoteSource(std::unique_ptr<CInternetFile> file);
    ~RemoteSource() override;
    // What the opened file can tell of its length: the bytes it can deliver now, 0 if unknown.
    std::uint64_t Available() const;
    std::uint32_t Read(char* buffer, std::uint32_t count) override;
    void Close() override;

private:
    std::unique_ptr<CInternetFile> m_file;
};

class RemoteTarget : public BlockTarget {
public:
    explicit RemoteTarget(std::unique_ptr<CInternetFile> file);
    ~RemoteTarget() override;
    void Write(const char* buffer, std::uint32_t count) override;
    // Finishes the upload and checks the server's final reply.
    void Close() override;

private:
    std::unique_ptr<CInternetFile> m_file;
};

// How often a remote file is asked to open before the copy gives up.
inline constexpr int kOpenAttempts = 5;

// Opens a file on the host (access GENERIC_READ or GENERIC_WRITE), up to kOpenAttempts times in
// immediate succession (once only when the host let its time-out pass); null when every attempt
// failed, and then `why` holds the last attempt's error text.
std::unique_ptr<CInternetFile> OpenRemoteFile(CFtpConnection& connection, const std::string& path,
                                              std::uint32_t access, std::uint32_t type, std::string& why);
