#pragma once
// Real pointer input through the X server (XTest), as a user's hand gives it, the screen points
// of what the panes show, and real event loops to run while the pointer acts. Tests that use
// it need the display to themselves.

#include <wx/gdicmn.h>
#include <wx/treebase.h>

#include <chrono>
#include <functional>

class CBrowserView;
class CMainFrame;
class FileView;

// Generous: a loaded machine may take seconds for what takes milliseconds alone.
inline constexpr std::chrono::seconds kSettleLimit{20};
// A drop's whole copy runs before the release is done with.
inline constexpr std::chrono::minutes kDropLimit{3};

// Lets the program, the X server and the window manager talk until `done` holds, within `limit`.
bool Settle(const std::function<bool()>& done, std::chrono::milliseconds limit = kSettleLimit);

// Runs a real event loop until `done` holds or `limit` passes; answers done(). Unlike a yield,
// it lets what runs inside it (a drop's copy batch) pump its own window messages.
bool RunLoopUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(60));

// Runs until the four panes have their share of the frame: under a window manager the frame
// gets its real size a moment after it is shown, and a point taken before would miss.
bool WaitForPanesLaidOut(CMainFrame& frame);

// A drag as a user makes it: press at `from`, a few short moves on the spot (the controls begin
// a drag only after some motion on the item pressed) until `started` holds; then on to `to` in
// steps, trembling there until `arrived` holds (the pane under the pointer has taken the drag
// over); then release, and run a real event loop until `finished` (the drop, copy batch and
// all). Answers whether every stage was reached; the button is released whatever happens. The
// points are asked for when they are needed: a window manager may still move the frame when it
// has placed it.
using ScreenPoint = std::function<wxPoint()>;
bool MouseDrag(const ScreenPoint& from, const ScreenPoint& to, const std::function<bool()>& started,
               const std::function<bool()>& arrived, const std::function<bool()>& finished);

// An item's label near its start where it is now, in the tree's client coordinates and on the
// screen (without scrolling: a drag in progress keeps what it sees).
wxPoint LabelClientPoint(CBrowserView& tree, const wxTreeItemId& item);
wxPoint LabelScreenPoint(CBrowserView& tree, const wxTreeItemId& item);
// On the screen: an item's label near its start, a row's name, and the middle of a list (what
// a drop there hits does not depend on a row). Each scrolls what it names into view first.
wxPoint ScreenPointOf(CBrowserView& tree, const wxTreeItemId& item);
wxPoint ScreenPointOf(FileView& list, long row);
wxPoint ScreenPointOf(FileView& list);
