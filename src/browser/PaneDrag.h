#pragma once
// What a drag does the same way in a tree and in a file list: which window holds the mouse for
// a pane, handing the capture to the pane under the pointer, the cursor, the image, and ending
// the feedback at a drop or a cancel.

#include <wx/gdicmn.h>
#include <wx/treebase.h>

class IPaneHost;
class wxWindow;
struct DragState;

// The host's drag record when a new drag may start: none without a host that keeps one, and
// none while a copy batch runs (a beep says so).
DragState* DragToStart(IPaneHost* host);
// Starts the drag from `pane` (number `paneNumber`, showing or being `sourceItem`): a drag still
// under way ends first, the pane takes the mouse, the record is filled but for names and image.
void BeginPaneDrag(IPaneHost& host, DragState& drag, wxWindow* pane, int paneNumber, const wxTreeItemId& sourceItem);
// The host's drag while one is in progress and no copy batch runs. During a batch the drag
// that started it still counts as active, but the mouse belongs to the panes' usual handling.
DragState* DragInProgress(IPaneHost* host);

// The window that takes the mouse for `pane`: a tree itself, a file list's inner window (the
// generic list delivers mouse events there).
wxWindow* CaptureWindowOf(wxWindow* pane);

// Follows the pointer at `screenPoint`: the pane under it (the host's four, `self` first) takes
// the capture, so that the next mouse event and finally the drop arrive there; the cursor says
// whether a drop is possible; the image moves along. True when the pointer is over a pane.
bool TrackOverPanes(IPaneHost& host, DragState& drag, wxWindow* self, const wxPoint& screenPoint);

// The button went up or the drag was cancelled: whoever of the panes holds the capture lets
// go, the cursor is the pane's own again and the image is hidden.
void EndDragFeedback(IPaneHost& host, DragState& drag);

// Ends a drag in progress without copying anything: the feedback ends, no tree keeps a drop
// highlight, and the record is idle again.
void CancelPaneDrag(IPaneHost& host, DragState& drag);
