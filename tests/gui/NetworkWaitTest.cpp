// The window during a network wait: a server that accepts the connection and never says a
// word must not freeze it. Escape, the Stop button and closing the window abandon the wait;
// nothing else the user does reaches the program meanwhile.

#include "app/MainFrame.h"
#include "app/NetworkWaitGuard.h"
#include "app/NorvoApp.h"
#include "browser/BrowserView.h"
#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/statusbr.h>
#include <wx/timer.h>

#include <functional>

namespace {

const char* const kStopped = "Stopped by the user";

wxButton* StopButton(CMainFrame& frame)
{
    return dynamic_cast<wxButton*>(wxWindow::FindWindowByName(CNetworkWaitGuard::kStopButtonName, frame.GetStatusBar()));
}

void PressEscape(CMainFrame& frame)
{
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = WXK_ESCAPE;
    key.SetEventObject(&frame);
    frame.GetEventHandler()->ProcessEvent(key);
}

void ClickStop(CMainFrame& frame)
{
    wxButton* button = StopButton(frame);
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

// What the user sees in the middle of the wait, and the user's action then.
struct DuringWait {
    bool stopButtonShown = false;
    std::size_t connectDialogs = 0;
};

// Runs the Connect command against `port` and acts once the wait has begun: a timer fires only
// while the wait guard lets events through.
DuringWait ConnectAndAct(CMainFrame& frame, const std::function<void(CMainFrame&)>& act, ScopedConnectAnswers& answers)
{
    DuringWait seen;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        wxButton* button = StopButton(frame);
        seen.stopButtonShown = button != nullptr && button->IsShown();
        // Other input is held off: a command sent now does not run.
        SendCommand(frame, ID_SERVER_CONNECT);
        seen.connectDialogs = answers.presetRegions.size();
        act(frame);
    });
    timer.StartOnce(1);
    SendCommand(frame, ID_SERVER_CONNECT);
    return seen;
}

TEST(NetworkWaitTest, EscapeStopAndCloseAbandonTheWaitForASilentServer)
{
    RogueServer silent("stall-greeting");
    CMainFrame& frame = StartApplication();
    const HostProfile silentProfile = LoopbackProfile("silent", silent.Port(), RogueServer::kUser, RogueServer::kPassword);

    struct Case {
        const char* name;
        std::function<void(CMainFrame&)> act;
    };
    const std::vector<Case> cases = {{"Escape", PressEscape}, {"Stop button", ClickStop}};
    for (const Case& c : cases) {
        ScopedMessageRecorder messages;
        ScopedConnectAnswers answers({silentProfile, silentProfile});
        const DuringWait seen = ConnectAndAct(frame, c.act, answers);
        EXPECT_TRUE(seen.stopButtonShown) << c.name;
        EXPECT_EQ(seen.connectDialogs, 1u) << c.name;
        EXPECT_EQ(answers.presetRegions.size(), 1u) << c.name;
        EXPECT_EQ(messages.texts, std::vector<std::string>{kStopped}) << c.name;
        EXPECT_EQ(TheApp().regions[1].Connection(), nullptr) << c.name;
        EXPECT_EQ(frame.GetTree(1)->m_pConnection, nullptr) << c.name;
        PumpEvents();
        EXPECT_EQ(StopButton(frame), nullptr) << c.name << ": gone once the program is idle again";
    }

    // The region is usable: a real server connects.
    {
        FtpTestServer& server = SharedServer(ServerKind::Pyftpdlib);
        server.WriteFile("after_stop/readme.txt", "hello");
        ScopedMessageRecorder messages;
        ScopedConnectAnswers answers({LoopbackProfile("real", server, true, "/after_stop")});
        SendCommand(frame, ID_SERVER_CONNECT);
        EXPECT_EQ(messages.texts, std::vector<std::string>{});
        EXPECT_NE(frame.GetTree(1)->m_pConnection, nullptr);
    }

    // Closing the window stops the wait first and closes once the connect has given up.
    ScopedMessageRecorder messages([](const std::string&) { return wxOK; });
    ScopedConnectAnswers answers({silentProfile});
    ConnectAndAct(frame, [](CMainFrame& window) { window.Close(); }, answers);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{"This will close current connection", kStopped}));
    PumpEvents();
    EXPECT_EQ(TheApp().GetMainFrame(), nullptr);
    StopApplication();
}

TEST(NetworkWaitTest, StopDuringTheRootCheckEndsTheConnectOnce)
{
    // Logs in, then never answers the listing of the initial root directory.
    RogueServer stalling("stall-listing");
    CMainFrame& frame = StartApplication();
    const HostProfile profile = LoopbackProfile("stalling", stalling.Port(), RogueServer::kUser, RogueServer::kPassword);
    ScopedMessageRecorder messages;
    ScopedConnectAnswers answers({profile});
    const DuringWait seen = ConnectAndAct(frame, PressEscape, answers);
    EXPECT_TRUE(seen.stopButtonShown);
    // One message, and no second wait for the tree's own listing of the root.
    EXPECT_EQ(messages.texts, std::vector<std::string>{kStopped});
    EXPECT_EQ(TheApp().regions[1].Connection(), nullptr);
    EXPECT_EQ(frame.GetTree(1)->m_pConnection, nullptr);
    // Logged in once: nothing went on to list the root again on a new login.
    EXPECT_EQ(stalling.CountCommands("PASS"), 1);
    StopApplication();
}

TEST(NetworkWaitTest, EmbeddingStartOpensTheConnectDialogAtOnce)
{
    CNorvoApp& app = TheApp();
    const char* arguments[] = {"ferrix-ftp", "-Embedding"};
    app.argv.Init(2, const_cast<char**>(arguments));
    app.argc = 2;
    ScopedConnectAnswers answers({HostProfile{}});
    StartApplication();
    EXPECT_FALSE(app.m_bSplashEnabled);
    EXPECT_EQ(answers.presetRegions, std::vector<int>{1});
    StopApplication();
    app.argv.Init(1, const_cast<char**>(arguments));
    app.argc = 1;
    app.m_bSplashEnabled = true;
}

} // namespace
