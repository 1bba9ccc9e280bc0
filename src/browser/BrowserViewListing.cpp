// Setting the tree's root and reading directories into it.

#include "browser/BrowserView.h"

#include "browser/BrowserItem.h"
#include "browser/FileText.h"
#include "browser/ItemPath.h"
#include "browser/LabelOrder.h"
#include "browser/RootLabels.h"
#include "net/Endpoint.h"
#include "platform/inet/FtpConnection.h"

#include <wx/utils.h>

#include <algorithm>
#include <numeric>

namespace {
constexpr int kFirstDrive = 1;
constexpr int kLastDrive = 26;

struct DirectoryContents {
    std::vector<std::string> directories;
    std::vector<bool> directoryIsLink;
    std::vector<std::unique_ptr<FileEntry>> files;
};

// Reads every entry of a started search. Finders step with FindNextFile, which answers whether
// another entry follows the one it stepped onto.
DirectoryContents ReadEntries(CFileFinder& finder)
{
    DirectoryContents contents;
    bool more = true;
    while (more) {
        more = finder.FindNextFile();
        const std::string name = finder.GetFileName();
        if (finder.IsDirectory()) {
            if (finder.IsDots())
                continue;
            contents.directories.push_back(name);
            contents.directoryIsLink.push_back(finder.IsSymbolicLink());
        } else {
            auto entry = std::make_unique<FileEntry>();
            entry->m_strName = name;
            entry->m_strSize = FormatSize(finder.GetLength());
            entry->m_strModified = FormatModified(finder.GetLastWriteTime());
            contents.files.push_back(std::move(entry));
        }
    }
    return contents;
}
} // namespace

void CBrowserView::SetRoot(CFtpConnection* connection)
{
    Freeze();
    ClearTree();
    m_pConnection = connection;
    m_bRooted = 1;
    if (m_strRootLabel == kLocalMachineLabel) {
        m_root = AddItem(TreeItemRef(), kLocalMachineLabel, false);
        std::vector<std::string> drives;
        for (int drive = kFirstDrive; drive <= kLastDrive; ++drive) {
            const std::string letter = std::string(1, static_cast<char>(64 + drive)) + ":";
            if (SetEndpointDirectory(nullptr, letter))
                drives.push_back(letter);
        }
        AddSortedChildren(m_root, drives, std::vector<bool>(drives.size(), true));
    } else {
        const std::string label = connection ? connection->GetServerName() + m_strRootDir : kRemoteHostLabel;
        m_root = AddItem(TreeItemRef(), label, true);
        EnsureListed(m_root, false);
    }
    Expand(m_root.GetId());
    Thaw();
}

void CBrowserView::EnsureListed(const TreeItemRef& item, bool subtree)
{
    BrowserItem* data = item.GetItemData();
    if (data == nullptr || (data->m_bListed && !subtree))
        return;
    std::string path;
    GetItemPath(item, path);
    RemoveChildren(item);
    ListDirectory(item, path, m_pConnection, subtree);
}

void CBrowserView::ListDirectory(const TreeItemRef& item, const std::string& path, CFtpConnection* endpoint, bool recursive)
{
    wxBusyCursor wait;
    BrowserItem* data = item.GetItemData();
    if (data == nullptr)
        return;
    // A tree labelled "Remote Host" without a connection has no directory behind it.
    if (endpoint == nullptr && m_strRootLabel != kLocalMachineLabel)
        return;

    std::unique_ptr<CFileFinder> finder = MakeDirectoryFinder(endpoint);
    // Listing "*" reads the current directory, so a directory that cannot be entered must not
    // be listed: the search would show whatever directory was current instead.
    if (!SetEndpointDirectory(endpoint, path + "/") || !finder->FindFile("*")) {
        finder->Close();
        return;
    }
    DirectoryContents contents = ReadEntries(*finder);
    finder->Close();
    SetEndpointDirectory(endpoint, "/");

    ResetFiles(item);
    for (auto& entry : contents.files)
        data->AppendEntry(std::move(entry));

    // Sorting once and appending in order gives the order that re-sorting after every
    // insertion would, at n log n for directories with tens of thousands of entries.
    std::vector<std::size_t> order(contents.directories.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return CompareLabels(contents.directories[a], contents.directories[b]) < 0;
    });
    std::vector<std::string> names;
    std::vector<bool> expandable;
    names.reserve(order.size());
    for (std::size_t index : order) {
        names.push_back(contents.directories[index]);
        // A link is not followed by a recursive read, so it stays expandable for later.
        expandable.push_back(!recursive || contents.directoryIsLink[index]);
    }
    const bool freeze = names.size() > 64;
    if (freeze)
        Freeze();
    AddSortedChildren(item, names, expandable);
    if (freeze)
        Thaw();

    if (!recursive)
        return;
    Expand(item.GetId());
    for (TreeItemRef child = item.GetChildItem(); child; child = child.GetNextSiblingItem()) {
        BrowserItem* childData = child.GetItemData();
        if (childData == nullptr || !childData->m_bListed || child.GetChildItem())
            continue;   // a link left unread (it carries a placeholder)
        ListDirectory(child, path + "/" + child.GetItemText(), endpoint, true);
    }
}

void CBrowserView::AddSortedChildren(const TreeItemRef& parent, const std::vector<std::string>& names,
                                     const std::vector<bool>& expandable)
{
    if (parent.GetChildItem()) {
        // Existing children: insert one by one, each insertion re-sorting.
        for (std::size_t i = 0; i < names.size(); ++i)
            AddItem(parent, names[i], expandable[i]);
        return;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        TreeItemRef child(AppendItem(parent.GetId(), wxString::FromUTF8(names[i]), 0, 1), this);
        auto data = std::make_unique<BrowserItem>();
        data->m_bListed = expandable[i] ? 0 : 1;
        child.SetItemData(data.release());
        if (expandable[i])
            AddPlaceholder(child);
    }
}

void CBrowserView::RefreshFolder()
{
    const TreeItemRef item = Ref(GetSelection());
    if (item.IsNull() || item.GetItemData() == nullptr)
        return;
    RemoveChildren(item);
    AddPlaceholder(item);
    ResetFiles(item);
    item.GetItemData()->m_bListed = 0;
    EnsureListed(item, false);
    ShowItemFiles(item);
}

void CBrowserView::ExpandAllSubDirs()
{
    const TreeItemRef item = Ref(GetSelection());
    if (item.IsNull() || item.GetItemData() == nullptr)
        return;
    EnsureListed(item, true);
    ShowItemFiles(item);
}

void CBrowserView::RefreshAll()
{
    SetRoot(m_pConnection);
}
