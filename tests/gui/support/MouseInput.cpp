#include "support/MouseInput.h"

#include "app/MainFrame.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "support/GuiTest.h"

#include <wx/eventfilter.h>
#include <wx/evtloop.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <cstdio>
#include <thread>

namespace {

using namespace std::chrono_literals;

constexpr auto kLoopCheckInterval = 10ms;
// The first moves stay on the pressed item: the controls count motion events there before they
// report the beginning of a drag.
constexpr int kStartMoves = 4;
constexpr int kSteps = 8;
// A hang guard only: a move is normally seen at once.
constexpr std::chrono::seconds kMoveLimit{10};

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

void MoveAndWait(wxUIActionSimulator& mouse, MotionWatch& watch, const wxPoint& to)
{
    // A pointer already there would not move at all, and no motion would come.
    if (wxGetMousePosition() == to)
        MoveAndWait(mouse, watch, to + wxSize(0, 1));
    const int before = watch.seen;
    mouse.MouseMove(to);
    RunLoopUntil([&] { return watch.seen > before; }, kMoveLimit);
}

// Moves on the spot, a pixel to and fro around `at`, until `done` holds: a busy program may see
// several moves as one, and the controls count moves before they act.
bool TrembleUntil(wxUIActionSimulator& mouse, MotionWatch& watch, const ScreenPoint& at,
                  const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + kSettleLimit;
    for (int tremor = 1; !RunLoopUntil(done, kLoopCheckInterval * 10); ++tremor) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        MoveAndWait(mouse, watch, at() + wxSize(tremor % 2, 0));
    }
    return true;
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
    if (done())
        return true;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    wxGUIEventLoop loop;
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (loop.IsRunning() && (done() || std::chrono::steady_clock::now() >= deadline))
            loop.Exit();
    });
    poll.Start(static_cast<int>(kLoopCheckInterval.count()));
    loop.Run();
    poll.Stop();
    return done();
}

bool WaitForPanesLaidOut(CMainFrame& frame)
{
    // The frame places and sizes itself over several rounds after it is shown, and a window
    // manager adds its own: the layout counts as done once it has not changed for a while.
    constexpr int kStableRounds = 20;
    wxRect last;
    int stable = 0;
    return RunLoopUntil([&] {
        const wxSize whole = frame.GetClientSize();
        bool shared = frame.IsShownOnScreen();
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 2; ++column) {
                const wxSize pane = frame.GetPane(row, column)->GetClientSize();
                shared = shared && pane.x >= whole.x / 3 && pane.y >= whole.y / 5;
            }
        }
        const wxRect now(frame.GetScreenPosition(), frame.GetTree(0)->GetClientSize());
        stable = shared && now == last ? stable + 1 : 0;
        last = now;
        return stable >= kStableRounds;
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
    for (int step = 1; step <= kStartMoves; ++step)
        MoveAndWait(mouse, watch, start + wxSize(step, 0));
    start += wxSize(kStartMoves, 0);
    if (!TrembleUntil(mouse, watch, [start] { return start; }, started)) {
        std::fprintf(stderr, "MouseDrag: the drag did not begin\n");
        mouse.MouseUp();
        PumpEvents();
        return false;
    }
    const wxPoint end = to();
    for (int step = 1; step <= kSteps; ++step)
        MoveAndWait(mouse, watch, start + (end - start) * step / kSteps);
    // The pane under the pointer takes the drag over when it sees the pointer.
    const bool over = TrembleUntil(mouse, watch, to, arrived);
    if (!over)
        std::fprintf(stderr, "MouseDrag: the pane under the pointer did not take the drag over\n");
    mouse.MouseUp();
    if (!RunLoopUntil(finished, kDropLimit)) {
        std::fprintf(stderr, "MouseDrag: the drop did not end\n");
        return false;
    }
    return over;
}

wxPoint LabelClientPoint(CBrowserView& tree, const wxTreeItemId& item)
{
    wxRect label;
    tree.GetBoundingRect(item, label, true);
    // Near the label's start: a long label may run past the pane's edge.
    return wxPoint(label.x + std::min(label.width / 2, tree.FromDIP(12)), label.y + label.height / 2);
}

wxPoint LabelScreenPoint(CBrowserView& tree, const wxTreeItemId& item)
{
    return tree.ClientToScreen(LabelClientPoint(tree, item));
}

wxPoint ScreenPointOf(CBrowserView& tree, const wxTreeItemId& item)
{
    tree.EnsureVisible(item);
    PumpEvents();
    return LabelScreenPoint(tree, item);
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
