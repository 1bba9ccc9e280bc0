#include "support/MouseInput.h"

#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "support/GuiTest.h"

#include <wx/evtloop.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

using namespace std::chrono_literals;

// A hand moves a few pixels at a time; the program sees each step.
constexpr int kStepPixels = 24;
// The first moves stay on the pressed item: the controls count motion events there before they
// report the beginning of a drag.
constexpr int kStartMoves = 5;
constexpr int kStartMovePixels = 2;
// Time for the X server to deliver a step before the program looks for it.
constexpr auto kStepPause = 15ms;
constexpr auto kLoopCheckInterval = 20ms;
// The drop's whole copy runs before the release is done with.
constexpr auto kDropLimit = std::chrono::minutes(3);

void MoveAndPump(wxUIActionSimulator& mouse, const wxPoint& to)
{
    mouse.MouseMove(to);
    std::this_thread::sleep_for(kStepPause);
    PumpEvents();
}

}  // namespace

bool Settle(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        PumpEvents();
        if (done())
            return true;
        std::this_thread::sleep_for(20ms);
    }
    PumpEvents();
    return done();
}

bool RunLoopUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    wxGUIEventLoop loop;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (done() || std::chrono::steady_clock::now() >= deadline)
            loop.Exit();
    });
    timer.Start(kLoopCheckInterval.count());
    loop.Run();
    timer.Stop();
    PumpEvents();
    return done();
}

bool DragWithMouse(const wxPoint& from, const wxPoint& to, const std::function<bool()>& dragging,
                   const std::function<bool()>& overTarget)
{
    wxUIActionSimulator mouse;
    MoveAndPump(mouse, from);
    mouse.MouseDown();
    PumpEvents();
    for (int move = 1; move <= kStartMoves; ++move)
        MoveAndPump(mouse, from + wxPoint(move * kStartMovePixels, 0));
    if (!Settle(dragging)) {
        mouse.MouseUp();
        PumpEvents();
        return false;
    }
    const wxPoint start = from + wxPoint(kStartMoves * kStartMovePixels, 0);
    const wxPoint way = to - start;
    const int steps = std::max(1, static_cast<int>(std::hypot(way.x, way.y)) / kStepPixels);
    for (int step = 1; step <= steps; ++step)
        MoveAndPump(mouse, start + wxPoint(way.x * step / steps, way.y * step / steps));
    // A busy program may see several moves as one (GTK merges pending motion events), so the pane
    // under the pointer may not have taken the drag over yet: a hand's small tremor on the spot
    // gives it more moves until it has.
    MoveAndPump(mouse, to + wxPoint(1, 0));
    MoveAndPump(mouse, to);
    const auto deadline = std::chrono::steady_clock::now() + kSettleLimit;
    for (int tremor = 0; overTarget && !overTarget() && std::chrono::steady_clock::now() < deadline; ++tremor) {
        MoveAndPump(mouse, to + wxPoint(tremor % 2, 0));
        std::this_thread::sleep_for(kStepPause);
    }
    MoveAndPump(mouse, to);
    mouse.MouseUp();
    return RunLoopUntil([&] { return !dragging(); }, kDropLimit);
}

wxPoint ScreenPointOf(CBrowserView& tree, const wxTreeItemId& item)
{
    tree.EnsureVisible(item);
    PumpEvents();
    wxRect label;
    tree.GetBoundingRect(item, label, true);
    // Near the label's start: a long label may run past the pane's edge.
    const int x = label.x + std::min(label.width / 2, tree.FromDIP(12));
    return tree.ClientToScreen(wxPoint(x, label.y + label.height / 2));
}

wxPoint ScreenPointOf(FileView& list, long row)
{
    list.EnsureVisible(row);
    PumpEvents();
    wxRect rect;
    list.GetItemRect(row, rect, wxLIST_RECT_LABEL);
    return list.ClientToScreen(wxPoint(rect.x + list.FromDIP(12), rect.y + rect.height / 2));
}

wxPoint ScreenPointOf(FileView& list)
{
    return list.ClientToScreen(wxPoint(0, 0)) + list.GetClientSize() / 2;
}
