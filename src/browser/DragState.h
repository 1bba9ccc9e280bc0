#pragma once
// DragState: the one drag between the window's four panes. A drag starts in one pane and ends in
// another, so the record is kept by the application, not by a pane; the panes reach it through
// their host (IPaneHost::GetDragState).

#include "browser/DragImage.h"

#include <wx/treebase.h>

#include <memory>
#include <string>
#include <vector>

class wxWindow;

struct DragState {
    // The tree or file list where the drag began; null when idle.
    wxWindow* sourcePane = nullptr;
    // 1 while a drag is in progress (and while the copy batch of its drop runs).
    int active = 0;
    // A tree drag: the dragged directory. A file-list drag: the directory the list shows.
    wxTreeItemId sourceItem;
    // The tree item under the pointer, or the directory chosen at the drop; none when unset.
    wxTreeItemId targetItem;
    // The picture following the pointer.
    std::unique_ptr<DragImage> dragImage;
    // The source pane's number: 0 upper tree, 1 lower tree, 2 upper list, 3 lower list.
    int sourcePaneNumber = 0;
    // A file-list drag: the true names of the selected files, in list order.
    std::vector<std::string> names;

    // Back to idle: after every drop, refusal or cancel.
    void Reset();
};
