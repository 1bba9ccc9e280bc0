#pragma once
// Real pointer input through the X server (XTest), as a user's hand gives it, and the screen
// points of what the panes show. Tests that use it need the display to themselves.

#include <wx/gdicmn.h>
#include <wx/treebase.h>

#include <chrono>
#include <functional>

class CBrowserView;
class FileView;

// Generous: a loaded machine may take seconds for what takes milliseconds alone.
inline constexpr std::chrono::seconds kSettleLimit{20};

// Lets the program, the X server and the window manager talk until `done` holds, within `limit`.
bool Settle(const std::function<bool()>& done, std::chrono::milliseconds limit = kSettleLimit);

// Runs a real event loop until `done` holds or `limit` passes. Unlike a yield, it lets what
// runs inside it (a drop's copy batch) pump its own window messages.
bool RunLoopUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

// Drags with the left button from `from` to `to` (screen points): presses at `from`, first moves
// a few pixels as a hand does (the controls start a drag only after some motion on the item
// pressed), then moves in steps to `to`, trembles there until `overTarget` holds (the pane
// under the pointer has taken the drag over), and releases in a real event loop. `dragging` tells whether the program has a drag in progress; the drop,
// copy batch and all, is done when it no longer has. False, with the button released, when the
// drag never began or never ended.
bool DragWithMouse(const wxPoint& from, const wxPoint& to, const std::function<bool()>& dragging,
                   const std::function<bool()>& overTarget = {});

// On the screen: the left part of an item's label, a row's name, and the middle of a list (what
// a drop there hits does not depend on a row). Each scrolls what it names into view first.
wxPoint ScreenPointOf(CBrowserView& tree, const wxTreeItemId& item);
wxPoint ScreenPointOf(FileView& list, long row);
wxPoint ScreenPointOf(FileView& list);
