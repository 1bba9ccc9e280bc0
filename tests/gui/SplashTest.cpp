// The splash window during the real start-up: which command lines show it, that the Connect
// dialog waits for it, and the three ways it goes: its timer, a click, a key press. A press
// that takes the splash away does nothing else.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "app/SplashWnd.h"
#include "browser/BrowserView.h"
#include "profiles/ConnectDlg.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {
using namespace std::chrono_literals;
// Long enough that a test never sees the timer unless it asks for it.
constexpr auto kLongSplash = 10min;
// When input does not take the splash away by then, the test fails instead of hanging.
constexpr int kInputLimitMs = 60000;
constexpr int kPollMs = 50;

// Sees every event: records whether a splash window ever existed while it lived.
class SplashWatch : public wxEventFilter {
public:
    SplashWatch() { wxEvtHandler::AddFilter(this); }
    ~SplashWatch() override { wxEvtHandler::RemoveFilter(this); }
    int FilterEvent(wxEvent&) override
    {
        if (CSplashWnd::GetSplash())
            seen = true;
        return Event_Skip;
    }
    bool seen = false;
};

class SplashTest : public testing::Test {
protected:
    void SetUp() override
    {
        drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str());
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (drive.Path() / "registry.reg").string());
        CSplashWnd::SetDurationForTesting(kLongSplash);
        CSplashWnd::AllowAnotherForTesting();
    }

    void TearDown() override
    {
        StopApplication();
        CSplashWnd::SetDurationForTesting(CSplashWnd::kSplashDuration);
        registry.reset();
        drives.reset();
    }

    // Starts the program; the Connect dialogs it opens are cancelled and record whether the
    // splash was up then.
    CMainFrame& Start(std::vector<std::string> switches)
    {
        ScopedCommandLine commandLine(std::move(switches));
        ScopedDialogAnswerer answerer([this](wxDialog* dialog) {
            if (dynamic_cast<CConnectDlg*>(dialog)) {
                ++connectDialogs;
                if (CSplashWnd::GetSplash())
                    ++connectDialogsOverSplash;
            }
            return wxID_CANCEL;
        });
        return StartApplication();
    }

    TempDir drive;
    std::unique_ptr<ScopedEnv> drives;
    std::unique_ptr<ScopedEnv> registry;
    int connectDialogs = 0;
    int connectDialogsOverSplash = 0;
};

TEST_F(SplashTest, ShownUnlessTheCommandLineSaysEmbeddingOrAutomation)
{
    const struct {
        std::vector<std::string> switches;
        bool splash;
    } cases[] = {
        {{}, true},
        {{"/Embedding"}, false},
        {{"-embedding"}, false},
        {{"/AUTOMATION"}, false},
        {{"somefile", "-Automation"}, false},
        {{"Embedding"}, true},        // a switch needs its slash or hyphen
        {{"/Embeddings"}, true},
        {{"--Automation"}, true},
    };
    for (const auto& c : cases) {
        const std::string name = c.switches.empty() ? "(none)" : c.switches.back();
        CSplashWnd::AllowAnotherForTesting();
        connectDialogs = connectDialogsOverSplash = 0;
        SplashWatch watch;
        // Start-up waits for a splash: this takes it away from inside the wait, as a user would.
        wxTheApp->CallAfter([] { CSplashWnd::HideSplash(); });
        CMainFrame& frame = Start(c.switches);
        EXPECT_EQ(watch.seen, c.splash) << name;
        EXPECT_EQ(CSplashWnd::GetSplash(), nullptr) << name;
        EXPECT_EQ(connectDialogs, 1) << name;
        EXPECT_EQ(connectDialogsOverSplash, 0) << name;
        EXPECT_TRUE(frame.IsShown());
        StopApplication();
    }
}

TEST_F(SplashTest, GoesByItselfAfterItsTimeAndOnlyThenTheConnectDialogOpens)
{
    EXPECT_EQ(CSplashWnd::kSplashDuration, 10s);
    CSplashWnd::SetDurationForTesting(300ms);
    SplashWatch watch;
    Start({});
    EXPECT_TRUE(watch.seen);
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
    EXPECT_EQ(connectDialogs, 1);
    EXPECT_EQ(connectDialogsOverSplash, 0);

    // Shown at most once per run.
    CSplashWnd::ShowSplash(TheApp().GetMainFrame());
    EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
}

// While the splash is up (it is on the screen once it has painted), `input` acts on the point
// `target` of the upper tree under the splash; waits for the splash to go.
void ActWhileTheSplashIsUp(std::function<void(const wxPoint& target)> input, bool& acted, bool& timedOut)
{
    auto poll = std::make_shared<wxTimer>();
    auto painted = std::make_shared<bool>(false);
    auto limit = std::make_shared<int>(kInputLimitMs / kPollMs);
    poll->Bind(wxEVT_TIMER, [=, &acted, &timedOut](wxTimerEvent&) {
        CSplashWnd* splash = CSplashWnd::GetSplash();
        if (!splash) {
            poll->Stop();
            return;
        }
        if (--*limit <= 0) {
            timedOut = true;
            poll->Stop();
            CSplashWnd::HideSplash();
            return;
        }
        if (!*painted || acted)
            return;
        CMainFrame* frame = TheApp().GetMainFrame();
        const wxRect over = splash->GetScreenRect().Intersect(frame->GetTree(0)->GetScreenRect());
        ASSERT_FALSE(over.IsEmpty());
        acted = true;
        input(wxPoint(over.x + over.width / 2, over.y + over.height / 2));
    });
    // Binds to the splash as soon as it exists and asks for a paint: painted, it is on screen.
    wxTheApp->CallAfter([=] {
        if (CSplashWnd* splash = CSplashWnd::GetSplash()) {
            splash->Bind(wxEVT_PAINT, [=](wxPaintEvent& event) {
                *painted = true;
                event.Skip();
            });
            splash->Refresh();
        }
        poll->Start(kPollMs);
    });
}

TEST_F(SplashTest, AClickOrAKeyTakesItAwayAndDoesNothingElse)
{
    const struct {
        const char* name;
        std::function<void(wxUIActionSimulator&)> press;
    } presses[] = {
        {"left click", [](wxUIActionSimulator& sim) { sim.MouseClick(wxMOUSE_BTN_LEFT); }},
        {"right click", [](wxUIActionSimulator& sim) { sim.MouseClick(wxMOUSE_BTN_RIGHT); }},
        // The second click would open the folder under the splash.
        {"double click", [](wxUIActionSimulator& sim) { sim.MouseDblClick(wxMOUSE_BTN_LEFT); }},
        // F6 would move the active pane from the upper list to the lower tree.
        {"F6", [](wxUIActionSimulator& sim) { sim.Char(WXK_F6); }},
    };
    for (const auto& press : presses) {
        CSplashWnd::AllowAnotherForTesting();
        connectDialogs = connectDialogsOverSplash = 0;
        bool acted = false;
        bool timedOut = false;
        wxPoint target;
        ActWhileTheSplashIsUp(
            [&](const wxPoint& point) {
                target = point;
                // Keys go to the window with the keyboard focus: the program's, as when a user
                // types into it.
                TheApp().GetMainFrame()->GetPane(0, 1)->SetFocus();
                wxUIActionSimulator sim;
                sim.MouseMove(point);
                press.press(sim);
            },
            acted, timedOut);
        CMainFrame& frame = Start({});
        ASSERT_TRUE(acted) << press.name;
        EXPECT_FALSE(timedOut) << press.name << ": the splash stayed";
        EXPECT_EQ(CSplashWnd::GetSplash(), nullptr);
        EXPECT_EQ(connectDialogs, 1);
        EXPECT_EQ(connectDialogsOverSplash, 0);
        // The press reached neither the tree under the splash nor the frame's keys.
        PumpEvents();
        EXPECT_EQ(frame.GetActiveView(), frame.GetPane(0, 1)) << press.name;

        // A click without a splash does reach the tree: the check above can fail. (Away from
        // the first click, so that the two do not make a double click.)
        if (std::string(press.name) == "left click") {
            wxUIActionSimulator sim;
            sim.MouseMove(target + wxPoint(0, 40));
            sim.MouseClick(wxMOUSE_BTN_LEFT);
            for (int round = 0; round < kInputLimitMs / kPollMs && frame.GetActiveView() != frame.GetPane(0, 0); ++round) {
                PumpEvents();
                wxMilliSleep(kPollMs);
            }
            EXPECT_EQ(frame.GetActiveView(), frame.GetPane(0, 0));
        }
        StopApplication();
    }
}

} // namespace
