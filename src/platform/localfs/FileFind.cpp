#include "platform/localfs/FileFind.h"

#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/DirectoryReader.h"
#include "platform/localfs/DriveMap.h"

#include <optional>

namespace {

bool HasWildcard(const std::string& name)
{
    return name.find_first_of("*?") != std::string::npos;
}

// The native form of a directory part of a pattern ("" is the current directory).
std::optional<std::string> NativeDirectory(const std::string& directory)
{
    if (directory.empty())
        return std::string(".");
    const std::string full = localfs::ResolveProgramPath(directory);
    if (full.empty())
        return std::nullopt;
    return localfs::ToNativePath(full);
}

}  // namespace

bool CFileFind::FindFile(const std::string& pattern, std::uint32_t /*flags*/)
{
    Close();
    const std::size_t slash = pattern.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (name.empty() || name.find('\0') != std::string::npos)
        return false;
    const std::optional<std::string> folder = NativeDirectory(directory);
    if (!folder)
        return false;

    if (HasWildcard(name)) {
        m_entries = localfs::ReadDirectory(*folder, name);
    } else {
        // "." or ".." of a folder given by path would name the folder or its parent, which
        // may lie above the drive ("C:/.."): refused.
        if (!directory.empty() && (name == "." || name == ".."))
            return false;
        if (std::optional<localfs::DirectoryEntry> entry = localfs::ReadEntry(*folder, name))
            m_entries.push_back(std::move(*entry));
    }
    return !m_entries.empty();
}

bool CFileFind::FindNextFile()
{
    if (m_entries.empty())
        return false;
    if (!m_stepped)
        m_stepped = true;
    else if (m_next + 1 < m_entries.size())
        ++m_next;
    return m_next + 1 < m_entries.size();
}

void CFileFind::Close()
{
    m_entries.clear();
    m_next = 0;
    m_stepped = false;
}

const localfs::DirectoryEntry* CFileFind::Current() const
{
    return m_stepped && m_next < m_entries.size() ? &m_entries[m_next] : nullptr;
}

std::string CFileFind::GetFileName() const
{
    const localfs::DirectoryEntry* entry = Current();
    return entry ? entry->name : std::string();
}

std::uint64_t CFileFind::GetLength() const
{
    const localfs::DirectoryEntry* entry = Current();
    return entry ? entry->size : 0;
}

std::int64_t CFileFind::GetLastWriteTime() const
{
    const localfs::DirectoryEntry* entry = Current();
    return entry ? entry->modified : 0;
}

bool CFileFind::IsDirectory() const
{
    const localfs::DirectoryEntry* entry = Current();
    return entry && entry->directory;
}

bool CFileFind::IsDots() const
{
    const localfs::DirectoryEntry* entry = Current();
    return entry && (entry->name == "." || entry->name == "..");
}

bool CFileFind::IsSymbolicLink() const
{
    const localfs::DirectoryEntry* entry = Current();
    return entry && entry->symbolicLink;
}
