#pragma once
// The one interface behind every directory search, local or remote. It follows the
// find-first / find-next protocol of the platform's finders:
//
//   if (finder.FindFile("*")) {
//       bool more = true;
//       while (more) {
//           more = finder.FindNextFile();   // steps onto an entry; false when it is the last
//           use(finder.GetFileName(), ...);
//       }
//   }
//   finder.Close();
//
// FindFile only starts the search; an entry's fields are valid after FindNextFile.

#include <cstdint>
#include <ctime>
#include <string>

// The platform's code for a search that ran and matched nothing: the directory was read, or the
// listing arrived, and holds no such entry. Any other code means the search could not run.
constexpr std::uint32_t ERROR_NO_MORE_FILES = 18;

class CFileFinder {
public:
    virtual ~CFileFinder() = default;

    // Starts a search. `pattern` is "*", a bare name, or a directory followed by "/*".
    // Returns true when at least one entry matched.
    virtual bool FindFile(const std::string& pattern, std::uint32_t flags = 0) = 0;
    // Steps onto the next entry; returns false when the entry stepped onto is the last one.
    virtual bool FindNextFile() = 0;
    virtual void Close() = 0;

    virtual std::string GetFileName() const = 0;
    virtual std::uint64_t GetLength() const = 0;
    // Seconds since 1970-01-01 UTC; may be negative or beyond 2038.
    virtual std::int64_t GetLastWriteTime() const = 0;
    virtual bool IsDirectory() const = 0;
    // "." or "..".
    virtual bool IsDots() const = 0;
    // The entry is a symbolic link (to a directory, IsDirectory is also true). Recursive walks
    // do not descend into links, so a link that points above itself cannot make them loop.
    virtual bool IsSymbolicLink() const { return false; }

    // Why the last FindFile returned false: ERROR_NO_MORE_FILES when the directory was read and
    // nothing matched, another code when it could not be read or listed (an empty folder and an
    // unreadable one must never look alike). 0 after a FindFile that found entries.
    virtual std::uint32_t GetLastErrorCode() const = 0;
    // The reason in words for a failed search ("Permission denied", the server's reply); empty
    // when nothing failed or nothing matched.
    virtual std::string GetLastErrorText() const = 0;
};
