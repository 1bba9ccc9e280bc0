// The file list's commands: Rename by editing a row's name and Delete of the selected files.
// Each change is made on the disk or the host first, then in the directory's entries and the
// rows together.

#include "browser/FileView.h"

#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/ItemPath.h"
#include "browser/ShownName.h"
#include "net/FileChanges.h"
#include "net/PathParts.h"
#include "platform/ui/MessageBox.h"

#include <wx/utils.h>

namespace {
const char* const kRenameFailed = "Failed to rename file";
const char* const kDeleteFailed = "Failed to delete file";
} // namespace

BrowserItem* FileView::ShownItem() const
{
    if (m_pTree == nullptr || !m_pTree->HasEndpoint() || !m_hShownDir.IsOk())
        return nullptr;
    return m_pTree->Ref(m_hShownDir).GetItemData();
}

std::string FileView::ShownPath(const std::string& name) const
{
    std::string directory;
    m_pTree->GetItemPath(m_pTree->Ref(m_hShownDir), directory);
    return JoinItemPath(directory, name);
}

void FileView::StartRename()
{
    const long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row >= 0)
        EditLabel(row);
}

void FileView::OnEndLabelEdit(wxListEvent& event)
{
    // The control never applies a text: the row changes once the disk or host has.
    event.Veto();
    const long index = event.GetIndex();
    BrowserItem* item = ShownItem();
    if (event.IsEditCancelled() || item == nullptr || index < 0 || static_cast<std::size_t>(index) >= m_rows.size())
        return;
    const std::string text = wxString(event.GetLabel()).Trim(true).Trim(false).utf8_string();
    if (text.empty())
        return;
    Row& row = m_rows[static_cast<std::size_t>(index)];
    // A name that is no text is shown as "\xHH"; left as shown, it keeps its true bytes.
    const std::string name = text == ShownName(row.name) ? row.name : text;
    if (name == row.name)
        return;
    wxBusyCursor wait;
    // A typed "a/b" would name a file elsewhere: it is refused before anything is sent.
    if (!IsEntryName(name) || !RenameFile(m_pTree->m_pConnection, ShownPath(row.name), ShownPath(name))) {
        AfxMessageBox(kRenameFailed, wxOK | wxICON_EXCLAMATION);
        return;
    }
    item->RenameEntry(row.name, name);
    row.name = name;
    SortFiles();
}

void FileView::DeleteFiles()
{
    BrowserItem* item = ShownItem();
    if (item == nullptr)
        return;
    wxBusyCursor wait;
    std::vector<Row> kept;
    kept.reserve(m_rows.size());
    for (std::size_t index = 0; index < m_rows.size(); ++index) {
        Row& row = m_rows[index];
        if (GetItemState(static_cast<long>(index), wxLIST_STATE_SELECTED)) {
            if (RemoveFile(m_pTree->m_pConnection, ShownPath(row.name))) {
                item->RemoveEntry(row.name);
                continue;
            }
            AfxMessageBox(kDeleteFailed, wxOK | wxICON_EXCLAMATION);
        }
        kept.push_back(std::move(row));
    }
    // The rows left keep the order they are shown in.
    SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_rows = std::move(kept);
    SetItemCount(static_cast<long>(m_rows.size()));
    Refresh();
}
