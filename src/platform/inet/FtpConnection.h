#pragma once
// CFtpConnection: one logged-in FTP control connection. One request at a time: while a finder
// or a file is open on it, other requests fail with ERROR_FTP_TRANSFER_IN_PROGRESS.
// The bool operations return false on failure; the exact cause is then available from
// GetLastError() (code and text, as an exception would carry them).

#include "platform/inet/InetConstants.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CInternetSession;
class CInternetFile;
class FtpClient;   // the protocol engine behind the connection

class CFtpConnection {
public:
    CFtpConnection(CInternetSession* session, std::unique_ptr<FtpClient> client, std::string server);
    virtual ~CFtpConnection();
    CFtpConnection(const CFtpConnection&) = delete;
    CFtpConnection& operator=(const CFtpConnection&) = delete;

    bool SetCurrentDirectory(const std::string& directory);
    bool GetCurrentDirectory(std::string& directory);
    bool CreateDirectory(const std::string& path);
    bool RemoveDirectory(const std::string& path);
    bool Remove(const std::string& path);
    bool Rename(const std::string& oldPath, const std::string& newPath);

    // One file's size in bytes and last-write time (seconds since 1970, UTC), asked over the
    // control connection alone where the server announces SIZE and MDTM. nullopt when the
    // server does not say (no such command, no such file, a directory, a failure): the caller
    // then reads the directory's listing as before.
    std::optional<std::uint64_t> GetFileSize(const std::string& path);
    std::optional<std::int64_t> GetFileModifiedTime(const std::string& path);

    // access GENERIC_READ or GENERIC_WRITE; type FTP_TRANSFER_TYPE_BINARY or _ASCII.
    // The caller owns the file and closes it before the next request. Throws CInternetException.
    CInternetFile* OpenFile(const std::string& path, std::uint32_t access = GENERIC_READ,
                            std::uint32_t type = FTP_TRANSFER_TYPE_BINARY, DWORD_PTR context = 1);

    const std::string& GetServerName() const { return m_server; }
    // True while commands and file transfers go encrypted (explicit FTP over TLS); false for a
    // plain connection, which the user should be told about.
    bool IsEncrypted() const;
    // The fingerprint of the server's certificate when it was accepted without the trust store
    // (a trusted fingerprint, or the caller's approval); empty otherwise. Another connection to
    // the same server may trust it without asking again.
    std::string AcceptedFingerprint() const;
    void Close();

    std::uint32_t GetLastErrorCode() const { return m_lastErrorCode; }
    const std::string& GetLastErrorText() const { return m_lastErrorText; }

    // For the library's own finder and file classes.
    FtpClient& Client() { return *m_client; }
    CInternetSession* Session() const { return m_session; }

private:
    // Runs one request, keeping its failure as the last error.
    bool Run(const std::function<void()>& request);

    CInternetSession* m_session;
    std::unique_ptr<FtpClient> m_client;
    std::string m_server;
    std::uint32_t m_lastErrorCode = 0;
    std::string m_lastErrorText;
    bool m_closed = false;
};
