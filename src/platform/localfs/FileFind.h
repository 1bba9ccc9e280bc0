#pragma once
// The local file finder: the CFileFinder protocol over the drive-mapped file system.
//
// Patterns: "*" and other patterns with "*" or "?" (matched against whole names, "*" also
// matching names with a leading dot), a directory followed by "/*", a bare name (that one entry
// of the current directory) and a full program path of one entry. Directory patterns take any
// form SetCurrentDirectory accepts.
//
// A listing holds every entry the system reports, "." and ".." included, with "." and ".."
// first and the rest in case-insensitive name order (the system itself promises no order).
// The entries are read when the search starts, so no directory stays open between calls.
//
// Symbolic links: an entry that is a link reports what it points to (size, time, directory
// flag), so a link to a directory can be browsed like one, and IsSymbolicLink() is true so
// that walks through whole subtrees can stop at it. A link whose target is missing is
// reported as a file with the link's own size and time.

#include "platform/FileFinder.h"
#include "platform/localfs/DirectoryEntry.h"

#include <cstdint>
#include <string>
#include <vector>

class CFileFind : public CFileFinder {
public:
    CFileFind() = default;
    ~CFileFind() override = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // `flags` are accepted for the interface's sake; the local finder has none.
    bool FindFile(const std::string& pattern = "*", std::uint32_t flags = 0) override;
    bool FindNextFile() override;
    void Close() override;

    std::string GetFileName() const override;
    std::uint64_t GetLength() const override;
    std::int64_t GetLastWriteTime() const override;
    bool IsDirectory() const override;
    bool IsDots() const override;
    bool IsSymbolicLink() const override;
    // Failures carry the platform's codes (ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ...) and
    // the system's own text; LastErrno() keeps the errno behind them for logs and tests.
    std::uint32_t GetLastErrorCode() const override { return m_lastErrorCode; }
    std::string GetLastErrorText() const override;
    int LastErrno() const { return m_lastErrno; }

private:
    // Records why the search could not run; returns false for FindFile to return.
    bool Fail(std::uint32_t code, int systemError);
    const localfs::DirectoryEntry* Current() const;

    std::vector<localfs::DirectoryEntry> m_entries;
    // Index of the entry FindNextFile stepped onto; none before the first step.
    std::size_t m_next = 0;
    bool m_stepped = false;
    std::uint32_t m_lastErrorCode = 0;
    int m_lastErrno = 0;
};
