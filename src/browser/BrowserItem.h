#pragma once
// The data behind the browser's tree items and file rows. Files are never tree items: each
// directory's BrowserItem keeps its files as FileEntry records, which the region's file list
// shows while the directory is selected.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// One file of a directory.
class FileEntry {
public:
    FileEntry() = default;
    FileEntry(std::string name, std::string size, std::string modified,
              std::optional<std::int64_t> modifiedTime = std::nullopt)
        : m_strName(std::move(name)), m_strSize(std::move(size)), m_strModified(std::move(modified)),
          m_nModifiedTime(modifiedTime)
    {
    }

    std::string m_strName;       // without any path; the bytes the disk or server gave
    std::string m_strSize;       // decimal bytes, or "???" when unknown
    std::string m_strModified;   // as FormatModified writes it
    // The time m_strModified shows, in seconds since 1970-01-01 UTC, which the list sorts by
    // (the text's two-digit years cannot tell 1999 from 2099); none when unknown.
    std::optional<std::int64_t> m_nModifiedTime;
};

// One directory, drive or root of a tree; the tree owns it as the item's data.
class BrowserItem {
public:
    // The directory's true name, byte for byte as the disk or server has it ("C:" for a drive).
    // Paths are built from these names; the item's label only shows the name (ShownName), and
    // for a name that is not valid UTF-8 the two differ.
    std::string m_strName;
    // Owned entries. The file list keeps copies of them as its rows; whatever renames or removes
    // an entry changes the list's row too.
    std::vector<std::unique_ptr<FileEntry>> m_files;
    int m_bListed = 0;      // 1 once the directory's children and files reflect it
    int m_bNewFolder = 0;   // 1 for a New Folder item not yet created on disk or server
    // A symbolic link to a directory: never read by Expand All, deleted as a link.
    bool m_bLink = false;

    // Deletes every entry; the flags stay.
    void ClearFiles();
    // Adds at the end; the item owns the entry from then on. A null entry adds nothing.
    void AppendEntry(std::unique_ptr<FileEntry> entry);
    void AppendEntry(FileEntry entry);
    // Removes and deletes the first entry whose name is `name` byte for byte (letter case
    // counts); nothing when there is none.
    void RemoveEntry(const std::string& name);
    // Renames the first entry whose name is `oldName` byte for byte; size and time stay.
    void RenameEntry(const std::string& oldName, const std::string& newName);
    // The first entry of that name (byte for byte), or null.
    FileEntry* FindEntry(const std::string& name) const;
};
