// Setting the tree's root and reading directories into it.

#include "browser/BrowserView.h"

#include "browser/BrowserItem.h"
#include "browser/FileText.h"
#include "browser/ItemPath.h"
#include "browser/LabelOrder.h"
#include "browser/PaneHost.h"
#include "browser/RootLabels.h"
#include "browser/ShownName.h"
#include "net/Endpoint.h"
#include "platform/inet/FtpConnection.h"

#include <wx/settings.h>
#include <wx/utils.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
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
        std::string name = finder.GetFileName();
        if (finder.IsDirectory()) {
            if (finder.IsDots())
                continue;
            contents.directories.push_back(std::move(name));
            contents.directoryIsLink.push_back(finder.IsSymbolicLink());
        } else {
            auto entry = std::make_unique<FileEntry>();
            entry->m_strName = std::move(name);
            entry->m_strSize = FormatSize(finder.GetLength());
            entry->m_nModifiedTime = finder.GetLastWriteTime();
            entry->m_strModified = FormatModified(*entry->m_nModifiedTime);
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
        AddSortedChildren(m_root, drives);
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
    RemoveChildrenForReread(item);
    ListDirectory(item, path, m_pConnection, subtree);
}

void CBrowserView::ListDirectory(const TreeItemRef& item, const std::string& path, CFtpConnection* endpoint, bool recursive)
{
    ListLevels(item, path, endpoint, recursive ? kExpandAllDepthLimit : 0);
}

void CBrowserView::ListLevels(const TreeItemRef& item, const std::string& path, CFtpConnection* endpoint,
                              int levelsBelow)
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
    errno = 0;
    if (!SetEndpointDirectory(endpoint, path + "/")) {
        const int systemError = errno;
        ShowUnread(item, path, endpoint ? endpoint->GetLastErrorText() : std::string(std::strerror(systemError)));
        return;
    }
    DirectoryContents contents;
    if (finder->FindFile("*")) {
        contents = ReadEntries(*finder);
    } else if (finder->GetLastErrorCode() != ERROR_NO_MORE_FILES) {
        // A listing that failed is never taken for an empty directory.
        const std::string reason = finder->GetLastErrorText();
        const std::uint32_t code = finder->GetLastErrorCode();
        finder->Close();
        ShowUnread(item, path, reason.empty() ? "error " + std::to_string(code) : reason);
        return;
    }
    finder->Close();
    SetEndpointDirectory(endpoint, "/");

    ShowRead(item);
    ResetFiles(item);
    for (auto& entry : contents.files)
        data->AppendEntry(std::move(entry));

    // Sorting once and appending in order gives the order that re-sorting after every
    // insertion would, at n log n for directories with tens of thousands of entries.
    std::vector<std::string> labels;
    labels.reserve(contents.directories.size());
    for (const std::string& name : contents.directories)
        labels.push_back(ShownName(name));
    std::vector<std::size_t> order(contents.directories.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return CompareLabels(labels[a], labels[b]) < 0; });
    std::vector<std::string> names;
    names.reserve(order.size());
    for (std::size_t index : order)
        names.push_back(contents.directories[index]);
    const bool freeze = names.size() > 64;
    if (freeze)
        Freeze();
    const std::vector<TreeItemRef> children = AddSortedChildren(item, names);
    if (freeze)
        Thaw();
    for (std::size_t i = 0; i < children.size(); ++i)
        children[i].GetItemData()->m_bLink = contents.directoryIsLink[order[i]];

    if (levelsBelow == 0)
        return;
    Expand(item.GetId());
    for (std::size_t i = 0; i < children.size(); ++i) {
        // A link is not followed by a recursive read, so it stays unread for later.
        if (contents.directoryIsLink[order[i]])
            continue;
        RemoveChildren(children[i]);
        ListLevels(children[i], path + "/" + names[i], endpoint, levelsBelow - 1);
    }
}

std::vector<TreeItemRef> CBrowserView::AddSortedChildren(const TreeItemRef& parent,
                                                         const std::vector<std::string>& names)
{
    std::vector<TreeItemRef> children;
    children.reserve(names.size());
    if (parent.GetChildItem()) {
        // Existing children: insert one by one, each insertion re-sorting.
        for (const std::string& name : names)
            children.push_back(AddItem(parent, name, true));
        return children;
    }
    for (const std::string& name : names) {
        const wxString label = wxString::FromUTF8(ShownName(name));
        TreeItemRef child(AppendItem(parent.GetId(), label, kImageClosedFolder, kImageOpenFolder), this);
        auto data = std::make_unique<BrowserItem>();
        data->m_strName = name;
        child.SetItemData(data.release());
        AddPlaceholder(child);
        children.push_back(child);
    }
    return children;
}

void CBrowserView::ShowUnread(const TreeItemRef& item, const std::string& path, const std::string& reason)
{
    if (BrowserItem* data = item.GetItemData())
        data->m_bListed = 0;
    // The expand button stays, so that the directory can be tried again.
    if (!item.GetChildItem())
        AddPlaceholder(item);
    SetItemImage(item.GetId(), kImageUnreadFolder, wxTreeItemIcon_Normal);
    SetItemImage(item.GetId(), kImageUnreadFolder, wxTreeItemIcon_Selected);
    SetItemTextColour(item.GetId(), wxSystemSettings::GetColour(wxSYS_COLOUR_GRAYTEXT));
    if (m_pHost)
        m_pHost->ShowStatusText("Cannot read " + ShownName(path) + ": " + ShownName(reason));
}

void CBrowserView::ShowRead(const TreeItemRef& item)
{
    if (GetItemImage(item.GetId(), wxTreeItemIcon_Normal) != kImageUnreadFolder)
        return;
    SetItemImage(item.GetId(), kImageClosedFolder, wxTreeItemIcon_Normal);
    SetItemImage(item.GetId(), kImageOpenFolder, wxTreeItemIcon_Selected);
    SetItemTextColour(item.GetId(), wxNullColour);
}

void CBrowserView::RefreshFolder()
{
    const TreeItemRef item = Ref(GetSelection());
    // A pending new folder has nothing on disk or server to read yet.
    if (item.IsNull() || item.GetItemData() == nullptr || item.GetItemData()->m_bNewFolder)
        return;
    RemoveChildrenForReread(item);
    AddPlaceholder(item);
    ResetFiles(item);
    item.GetItemData()->m_bListed = 0;
    EnsureListed(item, false);
    ShowItemFiles(item);
}

void CBrowserView::ExpandAllSubDirs()
{
    const TreeItemRef item = Ref(GetSelection());
    if (item.IsNull() || item.GetItemData() == nullptr || item.GetItemData()->m_bNewFolder)
        return;
    EnsureListed(item, true);
    ShowItemFiles(item);
}

void CBrowserView::RefreshAll()
{
    SetRoot(m_pConnection);
}
