#pragma once
// What the panes ask of the window that holds them: which pane is active, the shared context
// menu, the order the file lists are arranged in, the status bar's message pane, and what a drag
// between the panes needs (the shared drag record, the four panes, the cursors and the setup of
// a copy batch). The main frame implements it; the panes know nothing else of the frame or the
// application.

#include "net/FileTransfer.h"

#include <wx/cursor.h>
#include <wx/gdicmn.h>

#include <string>

class wxWindow;
struct DragState;

class IPaneHost {
public:
    virtual ~IPaneHost() = default;
    virtual void SetActiveView(wxWindow* view) = 0;
    virtual wxWindow* GetActiveView() const = 0;
    // Opens the context menu at a screen position, owned by the frame, so its commands travel
    // the same road as menu and toolbar commands.
    virtual void ShowContextMenu(const wxPoint& screenPos) = 0;
    // 0 by name, 1 by date, 2 by type.
    virtual int GetArrangeBy() const = 0;
    // Shows `text` (UTF-8) in the status bar's message pane. A host that is a frame with a status
    // bar shows it there by default; any other host shows nothing.
    virtual void ShowStatusText(const std::string& text);
    // Chooses an arrangement as its menu command does (both lists are sorted again).
    virtual void ApplyArrange(int arrangeBy) = 0;

    // The drag between the panes; a host without one (null) offers no dragging.
    virtual DragState* GetDragState() { return nullptr; }
    // Splitter cell (row, column) of the panes a drag can reach: column 0 the trees, column 1
    // the file lists; null where there is none.
    virtual wxWindow* GetPane(int /*row*/, int /*column*/) const { return nullptr; }
    // The cursor while dragging: over a pane, or over anything else.
    virtual wxCursor GetDragCursor(bool overPane) const;
    // The setup of a copy batch reading from `source`.
    virtual TransferSetup MakeTransferSetup(Endpoint /*source*/) { return {}; }
};
