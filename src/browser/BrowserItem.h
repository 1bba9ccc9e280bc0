#pragma once
// The data behind the browser's tree items and file rows. Files are never tree items: each
// directory's BrowserItem keeps its files as FileEntry records, which the region's file list
// shows while the directory is selected.

#include <memory>
#include <string>
#include <vector>

// One file of a directory.
class FileEntry {
public:
    FileEntry() = default;
    FileEntry(std::string name, std::string size, std::string modified)
        : m_strName(std::move(name)), m_strSize(std::move(size)), m_strModified(std::move(modified))
    {
    }

    std::string m_strName;       // without any path
    std::string m_strSize;       // decimal bytes, or "???" when unknown
    std::string m_strModified;   // as FormatModified writes it
};

// One directory, drive or root of a tree; the tree owns it as the item's data.
class BrowserItem {
public:
    // Owned entries: their addresses stay put while others are added or removed, so a row of
    // the file list may point at one.
    std::vector<std::unique_ptr<FileEntry>> m_files;
    int m_bListed = 0;      // 1 once the directory's children and files reflect it
    int m_bNewFolder = 0;   // 1 for a New Folder item not yet created on disk or server

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
