#include "browser/FileView.h"

#include "browser/BrowserItem.h"
#include "browser/FileSortKey.h"
#include "browser/PaneHost.h"
#include "browser/ShownName.h"
#include "net/FileTransfer.h"

#include <wx/utils.h>

#include <algorithm>
#include <iterator>
#include <numeric>
#include <set>

wxBEGIN_EVENT_TABLE(FileView, wxListCtrl)
    EVT_LIST_BEGIN_LABEL_EDIT(wxID_ANY, FileView::OnBeginLabelEdit)
    EVT_LIST_END_LABEL_EDIT(wxID_ANY, FileView::OnEndLabelEdit)
    EVT_LIST_COL_CLICK(wxID_ANY, FileView::OnColumnClick)
    EVT_LIST_BEGIN_DRAG(wxID_ANY, FileView::OnBeginDrag)
wxEND_EVENT_TABLE()

namespace {
struct ColumnSpec {
    const char* heading;
    int width;
    wxListColumnFormat format;
    int arrangeBy;   // the arrangement a click on the heading chooses, or -1
};
// Sizes are right-aligned so that their digits line up.
constexpr ColumnSpec kColumns[] = {{"File Name", 120, wxLIST_FORMAT_LEFT, kArrangeByName},
                                   {"File Size", 120, wxLIST_FORMAT_RIGHT, -1},
                                   {"Modified", 200, wxLIST_FORMAT_LEFT, kArrangeByDate}};
} // namespace

FileView::FileView(wxWindow* parent, wxWindowID id)
    : wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_EDIT_LABELS | wxLC_VIRTUAL | wxBORDER_SUNKEN)
{
    for (int i = 0; i < 3; ++i)
        InsertColumn(i, kColumns[i].heading, kColumns[i].format, FromDIP(kColumns[i].width));
    // The generic list delivers mouse and focus events to its inner window first.
    wxWindow* inner = GetMainWindowOfCompositeControl();
    inner->Bind(wxEVT_RIGHT_DOWN, &FileView::OnRightDown, this);
    inner->Bind(wxEVT_SET_FOCUS, &FileView::OnSetFocus, this);
    inner->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        if (m_pHost)
            m_pHost->SetActiveView(this);
        // A press while dragging means the release was lost somewhere: the drag ends, copying nothing.
        CancelDrag();
        event.Skip();
    });
    // While a drag holds the mouse for this list, its moves and its release arrive here.
    inner->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        TrackDrag(event.GetPosition());
        event.Skip();
    });
    inner->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
        // After a drop the list does not see the release: on a row it would start a rename.
        if (!DropOnList())
            event.Skip();
    });
    inner->Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { CancelDrag(); });
}

void FileView::ShowFiles(const BrowserItem* item)
{
    wxBusyCursor wait;
    std::vector<Row> rows;
    if (item) {
        rows.reserve(item->m_files.size());
        for (const auto& entry : item->m_files)
            rows.push_back({entry->m_strName, entry->m_strSize, entry->m_strModified, entry->m_nModifiedTime});
    }
    // Selection and focus belong to the old rows.
    SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    m_rows = std::move(rows);
    SetItemCount(static_cast<long>(m_rows.size()));
    Refresh();
}

void FileView::SortFiles()
{
    // A sort moves rows, not the user's choice of them: the selection and the focused row
    // follow their files (names are unique within a folder).
    std::set<std::string> selected;
    for (long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
         row = GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        selected.insert(m_rows[static_cast<std::size_t>(row)].name);
    const long focusedRow = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
    const std::string focused = focusedRow >= 0 ? m_rows[static_cast<std::size_t>(focusedRow)].name : std::string();

    SortRows();

    SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        long state = selected.count(m_rows[row].name) != 0 ? wxLIST_STATE_SELECTED : 0;
        if (!focused.empty() && m_rows[row].name == focused)
            state |= wxLIST_STATE_FOCUSED;
        if (state != 0)
            SetItemState(static_cast<long>(row), state, state);
    }
    Refresh();
}

void FileView::SortRows()
{
    const int arrangeBy = m_pHost ? m_pHost->GetArrangeBy() : kArrangeByName;
    // Sorting positions and moving each row once is cheaper than letting the sort move whole
    // rows about, which it does many times over for tens of thousands of them.
    std::vector<std::size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const Row& x = m_rows[a];
        const Row& y = m_rows[b];
        return CompareFileRows(arrangeBy, {x.name, x.modifiedTime}, {y.name, y.modifiedTime}) < 0;
    });
    std::vector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (std::size_t index : order)
        sorted.push_back(std::move(m_rows[index]));
    m_rows = std::move(sorted);
}

wxString FileView::OnGetItemText(long item, long column) const
{
    if (item < 0 || static_cast<std::size_t>(item) >= m_rows.size())
        return {};
    const Row& row = m_rows[static_cast<std::size_t>(item)];
    switch (column) {
    case kColumnName: return wxString::FromUTF8(ShownName(row.name));
    case kColumnSize: return wxString::FromUTF8(row.size);
    case kColumnModified: return wxString::FromUTF8(row.modified);
    default: return {};
    }
}

void FileView::OnRightDown(wxMouseEvent& event)
{
    // The list's own handling first (it selects the row under the pointer), then the menu.
    event.Skip();
    const wxPoint screenPos = GetMainWindowOfCompositeControl()->ClientToScreen(event.GetPosition());
    CallAfter([this, screenPos] {
        if (m_pHost) {
            m_pHost->SetActiveView(this);
            m_pHost->ShowContextMenu(screenPos);
        }
    });
}

void FileView::OnSetFocus(wxFocusEvent& event)
{
    if (m_pHost && m_pHost->GetActiveView() != this)
        m_pHost->SetActiveView(this);
    event.Skip();
}

void FileView::OnColumnClick(wxListEvent& event)
{
    const int column = event.GetColumn();
    if (column < 0 || column >= static_cast<int>(std::size(kColumns)) || kColumns[column].arrangeBy < 0 || !m_pHost)
        return;
    m_pHost->ApplyArrange(kColumns[column].arrangeBy);
}

void FileView::OnBeginLabelEdit(wxListEvent& event)
{
    // A rename while a copy batch runs would change a name the batch may be copying.
    if (CFileTransfer::IsBatchRunning()) {
        event.Veto();
        return;
    }
    event.Allow();
}
