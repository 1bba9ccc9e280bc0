#include "browser/BrowserItem.h"

#include <algorithm>

namespace {

auto FirstNamed(const std::vector<std::unique_ptr<FileEntry>>& files, const std::string& name)
{
    return std::find_if(files.begin(), files.end(),
                        [&](const std::unique_ptr<FileEntry>& entry) { return entry->m_strName == name; });
}

}  // namespace

void BrowserItem::ClearFiles()
{
    m_files.clear();
}

void BrowserItem::AppendEntry(std::unique_ptr<FileEntry> entry)
{
    if (entry)
        m_files.push_back(std::move(entry));
}

void BrowserItem::AppendEntry(FileEntry entry)
{
    m_files.push_back(std::make_unique<FileEntry>(std::move(entry)));
}

void BrowserItem::RemoveEntry(const std::string& name)
{
    const auto found = FirstNamed(m_files, name);
    if (found != m_files.end())
        m_files.erase(found);
}

void BrowserItem::RenameEntry(const std::string& oldName, const std::string& newName)
{
    if (FileEntry* entry = FindEntry(oldName))
        entry->m_strName = newName;
}

FileEntry* BrowserItem::FindEntry(const std::string& name) const
{
    const auto found = FirstNamed(m_files, name);
    return found == m_files.end() ? nullptr : found->get();
}
