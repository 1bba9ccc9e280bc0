// Dragging files out of the list, and the list's side of every drag: following the pointer
// and which drops on it are accepted. A list shows no drop mark; the directory it shows is the
// target.

#include "browser/FileView.h"

#include "browser/BrowserView.h"
#include "browser/DragState.h"
#include "browser/PaneDrag.h"
#include "browser/PaneHost.h"
#include "browser/ShownName.h"
#include "platform/ui/MessageBeep.h"

#include <wx/utils.h>

bool FileView::BeginListDrag(long row)
{
    DragState* drag = DragToStart(m_pHost);
    if (drag == nullptr)
        return false;
    if (row < 0 || static_cast<std::size_t>(row) >= m_rows.size() || ShownItem() == nullptr)
        return false;
    BeginPaneDrag(*m_pHost, *drag, this, m_nPane, m_hShownDir);
    wxWindow* inner = GetMainWindowOfCompositeControl();
    const wxPoint screen = wxGetMousePosition();
    for (long selected = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); selected != -1;
         selected = GetNextItem(selected, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        drag->names.push_back(m_rows[static_cast<std::size_t>(selected)].name);
    // The row the drag began on goes along even when the press did not select it.
    if (GetItemState(row, wxLIST_STATE_SELECTED) == 0)
        drag->names.insert(drag->names.begin(), m_rows[static_cast<std::size_t>(row)].name);

    wxRect rect;
    GetItemRect(row, rect, wxLIST_RECT_LABEL);
    const wxPoint corner = inner->ClientToScreen(rect.GetTopLeft());
    const wxString label = wxString::FromUTF8(ShownName(m_rows[static_cast<std::size_t>(row)].name));
    drag->dragImage = std::make_unique<DragImage>(this, MakeDragBitmap(wxBitmap(), label, GetFont()), screen - corner);
    drag->dragImage->Enter(screen);
    return true;
}

bool FileView::TrackDrag(const wxPoint& point)
{
    DragState* drag = DragInProgress(m_pHost);
    if (drag == nullptr)
        return false;
    TrackOverPanes(*m_pHost, *drag, this, GetMainWindowOfCompositeControl()->ClientToScreen(point));
    return true;
}

bool FileView::DropOnList()
{
    DragState* drag = DragInProgress(m_pHost);
    if (drag == nullptr)
        return false;
    EndDragFeedback(*m_pHost, *drag);
    const bool fromList = drag->sourcePaneNumber == 2 || drag->sourcePaneNumber == 3;
    // Only files are dropped on a list, and never where they came from. A list that shows no
    // directory (its tree was just rooted again) has no place for them.
    if (m_pTree == nullptr || !m_pTree->m_bRooted || !m_pTree->HasEndpoint() || drag->sourcePane == this ||
        drag->sourcePane == m_pTree || !fromList || !m_hShownDir.IsOk() || ShownItem() == nullptr) {
        AfxMessageBeep();
    } else {
        const auto* sourceList = dynamic_cast<FileView*>(drag->sourcePane);
        if (sourceList != nullptr && sourceList->m_pTree == m_pTree && drag->sourceItem == m_hShownDir) {
            AfxMessageBeep();
        } else {
            drag->targetItem = m_hShownDir;
            m_pTree->DropFiles();
        }
    }
    drag->Reset();
    return true;
}

void FileView::CancelDrag()
{
    if (DragState* drag = DragInProgress(m_pHost))
        CancelPaneDrag(*m_pHost, *drag);
}

void FileView::OnBeginDrag(wxListEvent& event)
{
    // As in the tree: the control's own notice never replaces a drag already under way.
    if (DragInProgress(m_pHost))
        return;
    BeginListDrag(event.GetIndex());
}
