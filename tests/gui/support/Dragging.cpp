#include "support/Dragging.h"

#include "browser/BrowserView.h"
#include "browser/FileView.h"

#include <wx/evtloop.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <algorithm>

namespace {
constexpr int kPollMilliseconds = 10;
constexpr int kSteps = 8;
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

bool MouseDrag(const wxPoint& from, const wxPoint& to, const std::function<bool()>& started,
               const std::function<bool()>& arrived, const std::function<bool()>& finished)
{
    wxUIActionSimulator mouse;
    mouse.MouseMove(from);
    RunLoopUntil([&] { return wxGetMousePosition() == from; });
    mouse.MouseDown();
    for (int step = 1; step <= 4; ++step)
        mouse.MouseMove(from + wxSize(step, 0));
    if (!RunLoopUntil(started)) {
        mouse.MouseUp();
        return false;
    }
    const wxPoint start = from + wxSize(4, 0);
    for (int step = 1; step <= kSteps; ++step)
        mouse.MouseMove(start + (to - start) * step / kSteps);
    bool ok = RunLoopUntil(arrived);
    // One more move over the target, for the pane that now holds the mouse to see.
    mouse.MouseMove(to + wxSize(1, 0));
    RunLoopUntil([&] { return wxGetMousePosition() == to + wxSize(1, 0); });
    RunLoopUntil(arrived);
    mouse.MouseUp();
    return RunLoopUntil(finished) && ok;
}
