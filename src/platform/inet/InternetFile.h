#pragma once
// CInternetFile: a file opened on an FTP connection for reading or for writing. Closing it
// finishes the transfer and checks the server's final reply; a transfer the server reports as
// failed, or a data connection that ended early, is an exception, never a success.

#include "platform/inet/InetConstants.h"

#include <cstdint>
#include <memory>
#include <string>

class CFtpConnection;
class FtpTransfer;   // the engine's data connection for this file

class CInternetFile {
public:
    CInternetFile(CFtpConnection* connection, std::unique_ptr<FtpTransfer> transfer, std::string path,
                  std::uint32_t access, DWORD_PTR context);
    virtual ~CInternetFile();   // closes; errors on this path are swallowed (call Close to see them)
    CInternetFile(const CInternetFile&) = delete;
    CInternetFile& operator=(const CInternetFile&) = delete;

    // Up to `count` bytes; 0 at the end of the file. Throws CInternetException.
    std::uint32_t Read(void* buffer, std::uint32_t count);
    // All bytes or an exception.
    void Write(const void* buffer, std::uint32_t count);
    void Flush();
    // Finishes the transfer; throws CInternetException if the server did not confirm it.
    void Close();
    // Bytes readable now without waiting, 0 if unknown (as InternetQueryDataAvailable answers).
    std::uint64_t GetLength() const;
    const std::string& GetFilePath() const { return m_path; }

private:
    CFtpConnection* m_connection;
    std::unique_ptr<FtpTransfer> m_transfer;
    std::string m_path;
    std::uint32_t m_access;
    DWORD_PTR m_context;
};
