// The tree's file commands: New Folder, Rename by editing a label, and Delete of a directory
// with everything in it. Each change is made on the disk or the host first and only then shown
// in the tree.

#include "browser/BrowserView.h"

#include "browser/BrowserItem.h"
#include "browser/FileView.h"
#include "browser/ItemPath.h"
#include "browser/RootLabels.h"
#include "browser/ShownName.h"
#include "net/FileChanges.h"
#include "net/FileTransfer.h"
#include "net/PathParts.h"
#include "platform/ui/MessageBox.h"

#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>

namespace {
const char* const kNewFolderName = "New Folder";
const char* const kDeleteQuestion = "Are you sure want to delete the directory";
const char* const kDeleteFailed =
    "Failed to Delete the Directory, you have expand all sub directories in order to delete the directory";
const char* const kCreateFailed = "Failed to create directory";
const char* const kRenameFailed = "Failed to rename directory";
} // namespace

bool CBrowserView::IsDriveItem(const TreeItemRef& item) const
{
    return m_strRootLabel == kLocalMachineLabel && !item.IsNull() && item.GetParentItem() == GetRootRef();
}

bool CBrowserView::HasEndpoint() const
{
    return m_pConnection != nullptr || m_strRootLabel == kLocalMachineLabel;
}

bool CBrowserView::CanDeleteSelection() const
{
    const TreeItemRef item = TreeItemRef(GetSelection(), const_cast<CBrowserView*>(this));
    return m_bRooted && HasEndpoint() && !item.IsNull() && !(item == GetRootRef()) && !IsDriveItem(item);
}

void CBrowserView::NewFolder()
{
    const TreeItemRef parent = Ref(GetSelection());
    if (!HasEndpoint() || parent.IsNull() || parent.GetItemData() == nullptr)
        return;
    const TreeItemRef item = AddItem(parent, kNewFolderName, false, true);
    item.EnsureVisible();
    // The control reports a text confirmed unchanged as a cancelled edit. The edit therefore
    // starts from a label other than the text put into the field, so that confirming the field
    // untouched makes "New Folder"; only Escape leaves the folder pending.
    item.SetItemText(std::string(kNewFolderName) + " ");
    wxTextCtrl* field = EditLabel(item.GetId());
    item.SetItemText(kNewFolderName);
    if (field) {
        field->ChangeValue(kNewFolderName);
        field->SelectAll();
        field->MarkDirty();
    }
}

void CBrowserView::StartRename()
{
    const wxTreeItemId item = GetSelection();
    if (item.IsOk())
        EditLabel(item);
}

void CBrowserView::OnBeginLabelEdit(wxTreeEvent& event)
{
    const TreeItemRef item = Ref(event.GetItem());
    // A rename while a copy batch runs would change paths the batch is copying to or from.
    if (CFileTransfer::IsBatchRunning() || !HasEndpoint() || item.IsNull() || item.GetItemData() == nullptr ||
        item == GetRootRef() || IsDriveItem(item)) {
        event.Veto();
        return;
    }
    m_hEditedItem = item.GetId();
}

void CBrowserView::OnEndLabelEdit(wxTreeEvent& event)
{
    // The control never applies a text: the label changes once the disk or host has.
    event.Veto();
    if (event.IsEditCancelled() || event.GetItem() != m_hEditedItem)
        return;
    const std::string text = wxString(event.GetLabel()).Trim(true).Trim(false).utf8_string();
    if (text.empty())
        return;
    // The control still holds the item while this event is handled: a failed create removes it,
    // so the change waits until the edit has ended. An item removed meanwhile is forgotten.
    const wxTreeItemId id = m_hEditedItem;
    CallAfter([this, id, text] {
        if (m_hEditedItem != id)
            return;
        m_hEditedItem = wxTreeItemId();
        const TreeItemRef item = Ref(id);
        const BrowserItem* data = item.GetItemData();
        if (data == nullptr)
            return;
        // A name that is no text is shown as "\xHH"; left as shown, it keeps its true bytes.
        CommitLabel(item, text == ShownName(data->m_strName) ? data->m_strName : text);
    });
}

void CBrowserView::CommitLabel(const TreeItemRef& item, const std::string& name)
{
    BrowserItem* data = item.GetItemData();
    if (!HasEndpoint())
        return;
    const bool pending = data->m_bNewFolder != 0;
    if (!pending && name == data->m_strName)
        return;
    wxBusyCursor wait;
    const TreeItemRef parent = item.GetParentItem();
    std::string parentPath;
    GetItemPath(parent, parentPath);
    // A typed "a/b" would name another directory: it is refused before anything is sent.
    int done = 0;
    if (IsEntryName(name)) {
        done = pending ? MakeDir(m_pConnection, JoinItemPath(parentPath, name))
                       : RenameDir(m_pConnection, JoinItemPath(parentPath, data->m_strName),
                                   JoinItemPath(parentPath, name));
    }
    if (done) {
        data->m_bNewFolder = 0;
        data->m_strName = name;
        item.SetItemText(ShownName(name));
        parent.SortChildren();
        return;
    }
    if (pending)
        RemoveItem(item);
    AfxMessageBox(pending ? kCreateFailed : kRenameFailed, wxOK | wxICON_EXCLAMATION);
}

bool CBrowserView::IsFullyRead(const TreeItemRef& item) const
{
    const BrowserItem* data = item.GetItemData();
    if (data == nullptr || data->m_bLink || data->m_bNewFolder)
        return data != nullptr;
    if (!data->m_bListed)
        return false;
    const std::vector<TreeItemRef> children = item.GetChildItems();
    return std::all_of(children.begin(), children.end(), [this](const TreeItemRef& child) { return IsFullyRead(child); });
}

void CBrowserView::DeleteDirectory()
{
    const TreeItemRef item = Ref(GetSelection());
    if (!CanDeleteSelection())
        return;
    if (AfxMessageBox(kDeleteQuestion, wxYES_NO | wxICON_QUESTION) != wxYES)
        return;
    wxBusyCursor wait;
    const TreeItemRef parent = item.GetParentItem();
    if (DeleteTree(item)) {
        SelectItem(parent.GetId());
        ShowItemFiles(parent);
        return;
    }
    // Files may be gone from the directory the list shows.
    if (m_pFileView && m_pFileView->m_hShownDir.IsOk())
        ShowItemFiles(Ref(m_pFileView->m_hShownDir));
    AfxMessageBox(kDeleteFailed, wxOK | wxICON_EXCLAMATION);
}

int CBrowserView::DeleteTree(const TreeItemRef& item)
{
    if (!IsFullyRead(item))
        return 0;
    BrowserItem* data = item.GetItemData();
    std::string path;
    GetItemPath(item, path);
    // A pending new folder exists nowhere yet; a link goes as a link, its target untouched.
    if (data->m_bNewFolder) {
        RemoveItem(item);
        return 1;
    }
    if (data->m_bLink) {
        if (!RemoveFile(m_pConnection, path))
            return 0;
        RemoveItem(item);
        return 1;
    }
    for (const TreeItemRef& child : item.GetChildItems()) {
        if (!DeleteTree(child))
            return 0;
    }
    auto& files = data->m_files;
    std::size_t deleted = 0;
    while (deleted < files.size() && RemoveFile(m_pConnection, JoinItemPath(path, files[deleted]->m_strName)))
        ++deleted;
    const bool allDeleted = deleted == files.size();
    files.erase(files.begin(), files.begin() + static_cast<std::ptrdiff_t>(deleted));
    if (!allDeleted)
        return 0;
    if (!RemoveDir(m_pConnection, path))
        return 0;
    RemoveItem(item);
    return 1;
}
