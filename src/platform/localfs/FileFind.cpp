#include "platform/localfs/FileFind.h"

#include "platform/localfs/CurrentDirectory.h"
#include "platform/localfs/DirectoryReader.h"
#include "platform/localfs/DriveMap.h"

#include <cerrno>
#include <cstring>
#include <optional>

namespace {

// The platform's codes for why a folder could not be searched.
constexpr std::uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr std::uint32_t ERROR_ACCESS_DENIED = 5;
constexpr std::uint32_t ERROR_INVALID_NAME = 123;
constexpr std::uint32_t ERROR_GEN_FAILURE = 31;

std::uint32_t CodeOfErrno(int systemError)
{
    switch (systemError) {
    case ENOENT:
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM: return ERROR_ACCESS_DENIED;
    case ENAMETOOLONG: return ERROR_INVALID_NAME;
    default: return ERROR_GEN_FAILURE;
    }
}

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
    m_lastErrorCode = 0;
    m_lastErrno = 0;
    const std::size_t slash = pattern.rfind('/');
    const std::string directory = slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
    if (name.empty() || name.find('\0') != std::string::npos)
        return Fail(ERROR_INVALID_NAME, EINVAL);
    const std::optional<std::string> folder = NativeDirectory(directory);
    if (!folder)
        return Fail(ERROR_PATH_NOT_FOUND, ENOENT);

    if (HasWildcard(name)) {
        int systemError = 0;
        m_entries = localfs::ReadDirectory(*folder, name, systemError);
        if (systemError != 0)
            return Fail(CodeOfErrno(systemError), systemError);
    } else {
        // "." or ".." of a folder given by path would name the folder or its parent, which
        // may lie above the drive ("C:/.."): refused.
        if (!directory.empty() && (name == "." || name == ".."))
            return Fail(ERROR_INVALID_NAME, EINVAL);
        if (std::optional<localfs::DirectoryEntry> entry = localfs::ReadEntry(*folder, name))
            m_entries.push_back(std::move(*entry));
    }
    if (m_entries.empty())
        m_lastErrorCode = ERROR_NO_MORE_FILES;
    return !m_entries.empty();
}

bool CFileFind::Fail(std::uint32_t code, int systemError)
{
    m_lastErrorCode = code;
    m_lastErrno = systemError;
    return false;
}

std::string CFileFind::GetLastErrorText() const
{
    if (m_lastErrorCode == 0 || m_lastErrorCode == ERROR_NO_MORE_FILES)
        return {};
    return std::strerror(m_lastErrno);
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
