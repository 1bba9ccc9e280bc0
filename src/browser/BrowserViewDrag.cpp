// Dragging a directory out of the tree, and the tree's side of every drag: following the
// pointer, the drop highlight, and which drops on its items are accepted.

#include "browser/BrowserView.h"

#include "browser/BrowserItem.h"
#include "browser/DragState.h"
#include "browser/FileView.h"
#include "browser/PaneDrag.h"
#include "browser/PaneHost.h"
#include "browser/RootLabels.h"
#include "net/FileTransfer.h"
#include "platform/ui/MessageBeep.h"

#include <wx/utils.h>

namespace {
constexpr int kHitFlags = wxTREE_HITTEST_ONITEMICON | wxTREE_HITTEST_ONITEMLABEL | wxTREE_HITTEST_ONITEMSTATEICON;
} // namespace

bool CBrowserView::IsWithin(const TreeItemRef& item, const TreeItemRef& ancestor) const
{
    for (TreeItemRef at = item; at; at = at.GetParentItem()) {
        if (at == ancestor)
            return true;
    }
    return false;
}

bool CBrowserView::BeginTreeDrag(const TreeItemRef& item)
{
    DragState* drag = DragToStart(m_pHost);
    if (drag == nullptr)
        return false;
    const BrowserItem* data = item.GetItemData();
    // Nothing behind the tree, or a root or drive: there is no directory of that name to copy.
    if (data == nullptr || data->m_bNewFolder || !m_bRooted || !HasEndpoint() || IsDriveItem(item) ||
        (m_strRootLabel == kLocalMachineLabel && item == GetRootRef()))
        return false;
    BeginPaneDrag(*m_pHost, *drag, this, m_nPane, item.GetId());
    const wxPoint screen = wxGetMousePosition();
    const wxPoint client = ScreenToClient(screen);

    wxRect rect;
    if (!GetBoundingRect(item.GetId(), rect, false))
        rect = wxRect(client, wxSize(1, 1));
    const int image = GetItemImage(item.GetId(), wxTreeItemIcon_Normal);
    const wxBitmap icon = image >= 0 ? m_imageList.GetBitmap(image) : wxBitmap();
    drag->dragImage = std::make_unique<DragImage>(this, MakeDragBitmap(icon, GetItemText(item.GetId()), GetFont()),
                                                  client - rect.GetTopLeft());
    drag->dragImage->Enter(screen);
    return true;
}

bool CBrowserView::TrackDrag(const wxPoint& point)
{
    DragState* drag = DragInProgress(m_pHost);
    if (drag == nullptr)
        return false;
    const wxPoint screen = ClientToScreen(point);
    TrackOverPanes(*m_pHost, *drag, this, screen);
    const TreeItemRef hit = ItemLabelAt(point);
    if (hit) {
        if (drag->dragImage)
            drag->dragImage->Leave();
        drag->targetItem = hit.GetId();
        SetDropHighlight(hit);
        if (drag->dragImage)
            drag->dragImage->Enter(screen);
    } else {
        // The mark stays until the pointer reaches another pane or the drag ends.
        drag->targetItem = wxTreeItemId();
    }
    return true;
}

bool CBrowserView::DropOnTree(const wxPoint& point)
{
    DragState* drag = DragInProgress(m_pHost);
    if (drag == nullptr)
        return false;
    EndDragFeedback(*m_pHost, *drag);
    const TreeItemRef target = ItemLabelAt(point);
    drag->targetItem = target.GetId();
    DropOn(target);
    ClearDropHighlight();
    drag->Reset();
    return true;
}

void CBrowserView::DropOn(const TreeItemRef& target)
{
    DragState& drag = *m_pHost->GetDragState();
    if (!AcceptsDropOn(target)) {
        AfxMessageBeep();
        return;
    }
    if (drag.sourcePaneNumber == 2 || drag.sourcePaneNumber == 3) {
        const auto* list = dynamic_cast<FileView*>(drag.sourcePane);
        // The files are already in that directory.
        if (list == nullptr || (list->m_pTree == this && target.GetId() == drag.sourceItem)) {
            AfxMessageBeep();
            return;
        }
        DropFiles();
        return;
    }
    auto* sourceTree = dynamic_cast<CBrowserView*>(drag.sourcePane);
    if (sourceTree == nullptr) {
        AfxMessageBeep();
        return;
    }
    if (sourceTree == this) {
        // Within one tree a directory goes anywhere but into itself, its own subtree, or the
        // directory it is already in.
        const TreeItemRef dragged = Ref(drag.sourceItem);
        if (IsWithin(target, dragged) || target == dragged.GetParentItem()) {
            AfxMessageBeep();
            return;
        }
    }
    DropDirectory();
}

bool CBrowserView::AcceptsDropOn(const TreeItemRef& target) const
{
    const BrowserItem* data = target.GetItemData();
    // The "Local Machine" root is no directory: its path names nothing to copy into.
    return data != nullptr && !data->m_bNewFolder && m_bRooted && HasEndpoint() &&
           !(m_strRootLabel == kLocalMachineLabel && target == GetRootRef());
}

void CBrowserView::CancelDrag()
{
    if (DragState* drag = DragInProgress(m_pHost))
        CancelPaneDrag(*m_pHost, *drag);
}

TreeItemRef CBrowserView::ItemLabelAt(const wxPoint& point)
{
    int flags = 0;
    const wxTreeItemId hit = HitTest(point, flags);
    return hit.IsOk() && (flags & kHitFlags) ? Ref(hit) : TreeItemRef();
}

void CBrowserView::SetDropHighlight(const TreeItemRef& item)
{
    if (item.GetId() == m_hDropHighlight)
        return;
    ClearDropHighlight();
    if (item.IsNull())
        return;
    m_hDropHighlight = item.GetId();
    SetItemDropHighlight(m_hDropHighlight, true);
}

void CBrowserView::ClearDropHighlight()
{
    if (!m_hDropHighlight.IsOk())
        return;
    SetItemDropHighlight(m_hDropHighlight, false);
    m_hDropHighlight = wxTreeItemId();
}

void CBrowserView::OnBeginDrag(wxTreeEvent& event)
{
    // The control's own notice can come while a drag is already under way (on a busy machine,
    // from motions it counted before the drag took the mouse): it must not replace the user's
    // drag by one of another item. (During the drop's copy the drag is still active, and a new
    // drag goes on to be refused with its beep.)
    if (DragInProgress(m_pHost))
        return;
    // The generic control names its current item, also when the press was on another item's
    // expand button or beside any item: only a press on the item itself drags it. (While a
    // batch runs any drag is refused, with its beep.)
    const TreeItemRef item = Ref(event.GetItem());
    if (!CFileTransfer::IsBatchRunning() && !(ItemLabelAt(m_ptPress) == item))
        return;
    // Not allowed to the control: the generic tree would capture the mouse for itself alone,
    // and the drag must be able to move on to the other panes.
    BeginTreeDrag(item);
}

void CBrowserView::OnMouseMove(wxMouseEvent& event)
{
    if (!TrackDrag(event.GetPosition()))
        event.Skip();
}

void CBrowserView::OnLeftUp(wxMouseEvent& event)
{
    if (!DropOnTree(event.GetPosition()))
        event.Skip();
}

void CBrowserView::OnCaptureLost(wxMouseCaptureLostEvent&)
{
    // Someone else took the mouse (a dialog, another program): the drag cannot end in a drop.
    CancelDrag();
}

void CBrowserView::OnSelChanging(wxTreeEvent& event)
{
    // Showing another directory reads it through the connection the batch is copying on.
    if (CFileTransfer::IsBatchRunning())
        event.Veto();
}
