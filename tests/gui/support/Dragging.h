#pragma once
// Dragging between the panes in tests: where items and rows are on the screen, a real event
// loop to run while the mouse acts, and a drag with the simulated mouse (XTest under Xvfb).

#include <wx/gdicmn.h>
#include <wx/treebase.h>

#include <chrono>
#include <functional>

class CBrowserView;
class CMainFrame;
class FileView;
class wxWindow;

// The centre of an item's label: in the tree's client coordinates, and on the screen.
wxPoint LabelClientPoint(CBrowserView& tree, const wxTreeItemId& item);
wxPoint LabelScreenPoint(CBrowserView& tree, const wxTreeItemId& item);
// The centre of a row's name, on the screen.
wxPoint RowScreenPoint(FileView& list, long row);
// A point well inside a pane, on the screen (for a drop on a list).
wxPoint PaneScreenPoint(wxWindow& pane);

// Runs a real event loop (not a Yield: a copy batch started inside must be able to pump its
// own dialog) until `done` answers true or `limit` has passed; answers done().
bool RunLoopUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(60));

// Runs until the four panes have their share of the frame: under a window manager the frame
// gets its real size a moment after it is shown, and a point taken before would miss.
bool WaitForPanesLaidOut(CMainFrame& frame);

// A drag as a user makes it: press at `from`, three short moves on the spot (the controls begin
// a drag after three), until `started` answers true; then on to `to` in steps, until `arrived`
// answers true (the pane there holds the mouse); then release and run until `finished`.
// Answers whether every stage was reached. The points are asked for when they are needed: a
// window manager may still move the frame when it has placed it.
using ScreenPoint = std::function<wxPoint()>;
bool MouseDrag(const ScreenPoint& from, const ScreenPoint& to, const std::function<bool()>& started,
               const std::function<bool()>& arrived, const std::function<bool()>& finished);
