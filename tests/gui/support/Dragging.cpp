#include "support/Dragging.h"

#include "app/MainFrame.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"

#include <wx/eventfilter.h>
#include <wx/evtloop.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <algorithm>

namespace {
constexpr int kPollMilliseconds = 10;
constexpr int kSteps = 8;

// How many pointer motions the program has seen. GTK merges motions that arrive together, and
// a control counts motions before it starts a drag: each move is waited for.
class MotionWatch : public wxEventFilter {
public:
    MotionWatch() { wxEvtHandler::AddFilter(this); }
    ~MotionWatch() override { wxEvtHandler::RemoveFilter(this); }
    MotionWatch(const MotionWatch&) = delete;
    MotionWatch& operator=(const MotionWatch&) = delete;

    int FilterEvent(wxEvent& event) override
    {
        if (event.GetEventType() == wxEVT_MOTION)
            ++seen;
        return Event_Skip;
    }

    int seen = 0;
};

// A hang guard only: a move is normally seen at once.
constexpr std::chrono::seconds kMoveLimit{10};

void MoveAndWait(wxUIActionSimulator& mouse, MotionWatch& watch, const wxPoint& to)
{
    // A pointer already there would not move at all, and no motion would come.
    if (wxGetMousePosition() == to)
        MoveAndWait(mouse, watch, to + wxSize(0, 1));
    const int before = watch.seen;
    mouse.MouseMove(to);
    RunLoopUntil([&] { return watch.seen > before; }, kMoveLimit);
}
} // namespace

wxPoint LabelClientPoint(CBrowserView& tree, const wxTreeItemId& item)
{
    wxRect rect;
    tree.GetBoundingRect(item, rect, true);
    return rect.GetPosition() + wxSize(std::min(rect.width / 2, 12), rect.height / 2);
}

wxPoint LabelScreenPoint(CBrowserView& tree, const wxTreeItemId& item)
{
    return tree.ClientToScreen(LabelClientPoint(tree, item));
}

wxPoint RowScreenPoint(FileView& list, long row)
{
    wxRect rect;
    list.GetItemRect(row, rect, wxLIST_RECT_LABEL);
    return list.GetMainWindowOfCompositeControl()->ClientToScreen(rect.GetPosition() + wxSize(12, rect.height / 2));
}

wxPoint PaneScreenPoint(wxWindow& pane)
{
    const wxSize size = pane.GetClientSize();
    return pane.ClientToScreen(wxPoint(size.x / 2, size.y * 3 / 4));
}

bool RunLoopUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    if (done())
        return true;
    const auto end = std::chrono::steady_clock::now() + limit;
    wxGUIEventLoop loop;
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (loop.IsRunning() && (done() || std::chrono::steady_clock::now() > end))
            loop.Exit();
    });
    poll.Start(kPollMilliseconds);
    loop.Run();
    poll.Stop();
    return done();
}

bool WaitForPanesLaidOut(CMainFrame& frame)
{
    return RunLoopUntil([&] {
        const wxSize whole = frame.GetClientSize();
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 2; ++column) {
                const wxSize pane = frame.GetPane(row, column)->GetClientSize();
                if (!frame.IsShownOnScreen() || pane.x < whole.x / 3 || pane.y < whole.y / 5)
                    return false;
            }
        }
        return true;
    });
}

bool MouseDrag(const ScreenPoint& from, const ScreenPoint& to, const std::function<bool()>& started,
               const std::function<bool()>& arrived, const std::function<bool()>& finished)
{
    wxUIActionSimulator mouse;
    MotionWatch watch;
    // Pressed only where the item still is once the pointer got there.
    wxPoint start = from();
    for (int attempt = 0; attempt < 10 && (attempt == 0 || start != from()); ++attempt) {
        start = from();
        MoveAndWait(mouse, watch, start);
    }
    mouse.MouseDown();
    for (int step = 1; step <= 4; ++step)
        MoveAndWait(mouse, watch, start + wxSize(step, 0));
    if (!RunLoopUntil(started)) {
        mouse.MouseUp();
        return false;
    }
    start += wxSize(4, 0);
    const wxPoint end = to();
    for (int step = 1; step <= kSteps; ++step)
        MoveAndWait(mouse, watch, start + (end - start) * step / kSteps);
    // Once more over the target, for the pane that now holds the mouse to see.
    MoveAndWait(mouse, watch, to() + wxSize(1, 0));
    const bool ok = RunLoopUntil(arrived);
    mouse.MouseUp();
    return RunLoopUntil(finished) && ok;
}
