// Copying by drop: the dragged files into a directory, or a dragged directory with everything
// below it, through one copy batch of the transfer engine. Afterwards the target's tree and
// list show what the copy left there, read from the target itself.

#include "browser/BrowserView.h"

#include "browser/BrowserItem.h"
#include "browser/DragState.h"
#include "browser/FileText.h"
#include "browser/FileView.h"
#include "browser/ItemPath.h"
#include "browser/PaneHost.h"
#include "net/CopyProgressDlg.h"
#include "net/FileLookup.h"
#include "net/FileTransfer.h"
#include "platform/inet/FtpConnection.h"
#include "platform/ui/MessageBeep.h"
#include "platform/ui/MessageBox.h"

#include <wx/toplevel.h>

#include <functional>

namespace {
const char* const kCopyFailed = "Failed to copy file";
const char* const kCreateFailed = "Failed to create directory";
// A tree copy goes no deeper than this below the dragged directory: a link that leads back up
// would otherwise copy for ever.
constexpr int kCopyDepthLimit = CBrowserView::kExpandAllDepthLimit;

// The row of the file at `path` as it now is there, or null when there is none.
std::unique_ptr<FileEntry> ReadEntry(Endpoint endpoint, const std::string& path, const std::string& name)
{
    std::string size;
    std::int64_t modified = 0;
    if (!GetFileInfo(endpoint, path, size, modified))
        return nullptr;
    return std::make_unique<FileEntry>(name, size, FormatModified(modified), modified);
}

// Brings `target`'s entry for `name` in line with what one copy left at `path`. A replaced
// name is listed once, at the end. A copy that failed or was cancelled on a name already listed
// left the old file alone; on a new name it may have left part of the file, which is then
// listed as it is. `fallback` gives the row of a copied file that cannot be read back.
void RecordCopy(BrowserItem& target, Endpoint endpoint, const std::string& path, const std::string& name,
                CopyResult result, const std::function<std::unique_ptr<FileEntry>()>& fallback)
{
    if (result == Skipped)
        return;
    if (result == CopyFailed || result == Cancelled) {
        if (target.FindEntry(name) == nullptr)
            target.AppendEntry(ReadEntry(endpoint, path, name));
        return;
    }
    target.RemoveEntry(name);
    std::unique_ptr<FileEntry> entry = ReadEntry(endpoint, path, name);
    target.AppendEntry(entry ? std::move(entry) : fallback());
}

// Ends a drop's batch. The system may still fail to store what the batch wrote to a local
// disk, which only shows now.
void FinishBatch(CFileTransfer& transfer)
{
    if (!transfer.Finish())
        AfxMessageBox(transfer.GetLastError(), wxOK | wxICON_EXCLAMATION);
}

bool SameMachine(const CBrowserView& first, const CBrowserView& second)
{
    if (first.m_pConnection == nullptr || second.m_pConnection == nullptr)
        return first.m_pConnection == second.m_pConnection;
    return first.m_pConnection->GetServerName() == second.m_pConnection->GetServerName();
}

// Whether `path` is `directory` or lies below it.
bool IsPathWithin(const std::string& path, const std::string& directory)
{
    if (path == directory)
        return true;
    const std::string prefix = !directory.empty() && directory.back() == '/' ? directory : directory + "/";
    return path.compare(0, prefix.size(), prefix) == 0;
}

int CopyTreeLevels(CFileTransfer& transfer, CBrowserView& sourceTree, CBrowserView& targetTree,
                   const TreeItemRef& sourceItem, const TreeItemRef& targetParent, int levelsLeft);
} // namespace

void CBrowserView::DropFiles()
{
    DragState* drag = m_pHost ? m_pHost->GetDragState() : nullptr;
    const auto* sourceList = drag ? dynamic_cast<FileView*>(drag->sourcePane) : nullptr;
    CBrowserView* sourceTree = sourceList ? sourceList->m_pTree : nullptr;
    const TreeItemRef target = drag ? Ref(drag->targetItem) : TreeItemRef();
    BrowserItem* targetData = target.GetItemData();
    if (sourceTree == nullptr || targetData == nullptr || !sourceTree->HasEndpoint() || !HasEndpoint()) {
        AfxMessageBeep();
        return;
    }
    // The batch lets the window run: the record must not be what the loop walks.
    const std::vector<std::string> names = drag->names;
    std::string targetPath;
    std::string sourcePath;
    GetItemPath(target, targetPath);
    sourceTree->GetItemPath(sourceTree->Ref(drag->sourceItem), sourcePath);
    const Endpoint source = sourceTree->m_pConnection;

    CFileTransfer transfer(source, m_pConnection, m_pHost->MakeTransferSetup(source));
    transfer.AttachDialog(new CCopyProgressDlg(wxGetTopLevelParent(this)));
    CopyResult result = Copied;
    for (const std::string& name : names) {
        if (result == Cancelled)
            break;
        const std::string from = JoinItemPath(sourcePath, name);
        const std::string to = JoinItemPath(targetPath, name);
        result = transfer.CopyFile(from, to);
        if (result == CopyFailed)
            AfxMessageBox(kCopyFailed, wxOK | wxICON_EXCLAMATION);
        RecordCopy(*targetData, m_pConnection, to, name, result, [&] {
            std::unique_ptr<FileEntry> entry = ReadEntry(source, from, name);
            return entry ? std::move(entry) : std::make_unique<FileEntry>(name, kUnknownSize, std::string());
        });
    }
    // Not sorted again: what arrived is at the end.
    if (m_pFileView && m_pFileView->m_hShownDir == target.GetId())
        m_pFileView->ShowFiles(targetData);
    FinishBatch(transfer);
}

void CBrowserView::DropDirectory()
{
    DragState* drag = m_pHost ? m_pHost->GetDragState() : nullptr;
    auto* sourceTree = drag ? dynamic_cast<CBrowserView*>(drag->sourcePane) : nullptr;
    const TreeItemRef target = drag ? Ref(drag->targetItem) : TreeItemRef();
    if (sourceTree == nullptr || target.GetItemData() == nullptr || !sourceTree->HasEndpoint() || !HasEndpoint()) {
        AfxMessageBeep();
        return;
    }
    const TreeItemRef dragged = sourceTree->Ref(drag->sourceItem);
    // The other tree may show the same machine: a directory copied into itself there would
    // find its own copy on the way and copy for ever.
    std::string sourcePath;
    std::string targetPath;
    sourceTree->GetItemPath(dragged, sourcePath);
    GetItemPath(target, targetPath);
    if (SameMachine(*sourceTree, *this) && IsPathWithin(targetPath, sourcePath)) {
        AfxMessageBeep();
        return;
    }
    const Endpoint source = sourceTree->m_pConnection;
    CFileTransfer transfer(source, m_pConnection, m_pHost->MakeTransferSetup(source));
    transfer.AttachDialog(new CCopyProgressDlg(wxGetTopLevelParent(this)));
    CopyTree(transfer, *sourceTree, *this, dragged, target);
    FinishBatch(transfer);
}

int CBrowserView::CopyTree(CFileTransfer& transfer, CBrowserView& sourceTree, CBrowserView& targetTree,
                           const TreeItemRef& sourceItem, const TreeItemRef& targetParent)
{
    return CopyTreeLevels(transfer, sourceTree, targetTree, sourceItem, targetParent, kCopyDepthLimit);
}

namespace {
int CopyTreeLevels(CFileTransfer& transfer, CBrowserView& sourceTree, CBrowserView& targetTree,
                   const TreeItemRef& sourceItem, const TreeItemRef& targetParent, int levelsLeft)
{
    // Directories never read are read on the way; their placeholders are never copied.
    sourceTree.EnsureListed(sourceItem, false);
    targetTree.EnsureListed(targetParent, false);
    const BrowserItem* sourceData = sourceItem.GetItemData();
    if (sourceData == nullptr || targetParent.GetItemData() == nullptr)
        return 0;
    std::string sourcePath;
    std::string parentPath;
    sourceTree.GetItemPath(sourceItem, sourcePath);
    targetTree.GetItemPath(targetParent, parentPath);
    const std::string& name = sourceData->m_strName;
    const std::string directory = JoinItemPath(parentPath, name);
    if (levelsLeft < 0 || !transfer.MakeDirectory(directory)) {
        AfxMessageBox(kCreateFailed, wxOK | wxICON_EXCLAMATION);
        return 0;
    }
    const TreeItemRef newItem = targetTree.AddItem(targetParent, name, false, false);
    BrowserItem& newData = *newItem.GetItemData();

    CopyResult result = Copied;
    for (std::size_t index = 0; index < sourceData->m_files.size() && result != Cancelled; ++index) {
        const FileEntry entry = *sourceData->m_files[index];
        const std::string to = JoinItemPath(directory, entry.m_strName);
        result = transfer.CopyFile(JoinItemPath(sourcePath, entry.m_strName), to);
        if (result == CopyFailed)
            AfxMessageBox(kCopyFailed, wxOK | wxICON_EXCLAMATION);
        RecordCopy(newData, targetTree.m_pConnection, to, entry.m_strName, result,
                   [&] { return std::make_unique<FileEntry>(entry); });
    }
    int goOn = result == Cancelled ? 0 : 1;
    std::vector<TreeItemRef> children;
    for (const TreeItemRef& child : sourceItem.GetChildItems()) {
        // A pending new folder exists nowhere yet.
        if (child.GetItemData() != nullptr && !child.GetItemData()->m_bNewFolder)
            children.push_back(child);
    }
    for (const TreeItemRef& child : children) {
        if (!goOn)
            break;
        goOn = CopyTreeLevels(transfer, sourceTree, targetTree, child, newItem, levelsLeft - 1);
    }
    return goOn;
}
} // namespace
