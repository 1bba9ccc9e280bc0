#pragma once
// CFtpFileFind: searches a directory of an FTP connection. FindFile is virtual so that a
// subclass can retry it. While a search is open the connection is busy (see CFtpConnection).

#include "platform/FileFinder.h"
#include "platform/inet/InetConstants.h"

#include <memory>
#include <string>
#include <vector>

class CFtpConnection;
struct ListingEntry;

class CFtpFileFind : public CFileFinder {
public:
    explicit CFtpFileFind(CFtpConnection* connection, DWORD_PTR context = 1);
    ~CFtpFileFind() override;

    // pattern: "*" (the current directory), a bare name (exactly the entries of that name in
    // the current directory), or a directory followed by "/*". flags: 0 or INTERNET_FLAG_RELOAD.
    bool FindFile(const std::string& pattern, std::uint32_t flags = 0) override;
    bool FindNextFile() override;
    void Close() override;

    std::string GetFileName() const override;
    std::uint64_t GetLength() const override;
    std::int64_t GetLastWriteTime() const override;
    bool IsDirectory() const override;
    bool IsDots() const override;
    bool IsSymbolicLink() const override;

    std::uint32_t GetLastErrorCode() const override { return m_lastErrorCode; }
    std::string GetLastErrorText() const override { return m_lastErrorText; }

private:
    CFtpConnection* m_connection;
    DWORD_PTR m_context;
    std::vector<ListingEntry> m_entries;
    std::size_t m_next = 0;      // index of the entry FindNextFile steps onto
    bool m_open = false;
    std::uint32_t m_lastErrorCode = 0;
    std::string m_lastErrorText;

    const ListingEntry* Current() const;
};
