#include "browser/PaneDrag.h"

#include "browser/BrowserView.h"
#include "browser/DragState.h"
#include "browser/FileView.h"
#include "browser/PaneHost.h"
#include "net/FileTransfer.h"
#include "platform/ui/MessageBeep.h"

#include <wx/window.h>

#include <array>
#include <vector>

namespace {
std::array<wxWindow*, 4> HostPanes(const IPaneHost& host)
{
    // Row 0 then row 1, column 0 then column 1.
    return {host.GetPane(0, 0), host.GetPane(0, 1), host.GetPane(1, 0), host.GetPane(1, 1)};
}

bool ContainsScreenPoint(wxWindow* pane, const wxPoint& screenPoint)
{
    return pane != nullptr && pane->IsShownOnScreen() &&
           wxRect(pane->GetClientSize()).Contains(pane->ScreenToClient(screenPoint));
}

// A tree losing the capture loses its drop highlight with it.
void LetGo(wxWindow* holder)
{
    if (auto* tree = dynamic_cast<CBrowserView*>(holder))
        tree->ClearDropHighlight();
    holder->ReleaseMouse();
}
} // namespace

DragState* DragToStart(IPaneHost* host)
{
    DragState* drag = host ? host->GetDragState() : nullptr;
    if (drag != nullptr && CFileTransfer::IsBatchRunning()) {
        AfxMessageBeep();
        return nullptr;
    }
    return drag;
}

void BeginPaneDrag(IPaneHost& host, DragState& drag, wxWindow* pane, int paneNumber, const wxTreeItemId& sourceItem)
{
    if (drag.active)
        CancelPaneDrag(host, drag);
    CaptureWindowOf(pane)->CaptureMouse();
    drag.active = 1;
    drag.sourcePane = pane;
    drag.sourceItem = sourceItem;
    drag.targetItem = wxTreeItemId();
    drag.sourcePaneNumber = paneNumber;
    drag.names.clear();
}

DragState* DragInProgress(IPaneHost* host)
{
    DragState* drag = host ? host->GetDragState() : nullptr;
    if (drag == nullptr || !drag->active || CFileTransfer::IsBatchRunning())
        return nullptr;
    return drag;
}

wxWindow* CaptureWindowOf(wxWindow* pane)
{
    if (auto* list = dynamic_cast<FileView*>(pane))
        return list->GetMainWindowOfCompositeControl();
    return pane;
}

bool TrackOverPanes(IPaneHost& host, DragState& drag, wxWindow* self, const wxPoint& screenPoint)
{
    wxWindow* over = ContainsScreenPoint(self, screenPoint) ? self : nullptr;
    for (wxWindow* pane : HostPanes(host)) {
        if (over == nullptr && ContainsScreenPoint(pane, screenPoint))
            over = pane;
    }
    wxWindow* holder = wxWindow::GetCapture();
    if (over != nullptr) {
        wxWindow* taker = CaptureWindowOf(over);
        if (holder != taker) {
            // Captures nest: the holder lets go first, or the new one would stack on top of it.
            if (holder != nullptr)
                LetGo(holder);
            taker->CaptureMouse();
            holder = taker;
        }
    }
    const wxCursor cursor = host.GetDragCursor(over != nullptr);
    if (holder != nullptr)
        holder->SetCursor(cursor);
    wxSetCursor(cursor);
    if (drag.dragImage)
        drag.dragImage->Move(screenPoint);
    return over != nullptr;
}

void EndDragFeedback(IPaneHost& host, DragState& drag)
{
    std::vector<wxWindow*> panes{drag.sourcePane};
    for (wxWindow* pane : HostPanes(host))
        panes.push_back(pane);
    for (wxWindow* pane : panes) {
        if (pane == nullptr)
            continue;
        wxWindow* window = CaptureWindowOf(pane);
        if (wxWindow::GetCapture() == window)
            window->ReleaseMouse();
        window->SetCursor(wxNullCursor);
    }
    wxSetCursor(wxNullCursor);
    if (drag.dragImage)
        drag.dragImage->Leave();
}

void CancelPaneDrag(IPaneHost& host, DragState& drag)
{
    EndDragFeedback(host, drag);
    for (wxWindow* pane : HostPanes(host)) {
        if (auto* tree = dynamic_cast<CBrowserView*>(pane))
            tree->ClearDropHighlight();
    }
    drag.Reset();
}
