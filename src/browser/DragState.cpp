#include "browser/DragState.h"

void DragState::Reset()
{
    sourcePane = nullptr;
    active = 0;
    sourceItem = wxTreeItemId();
    targetItem = wxTreeItemId();
    dragImage.reset();
    sourcePaneNumber = 0;
    names.clear();
}
