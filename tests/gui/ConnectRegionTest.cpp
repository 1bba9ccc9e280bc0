// Connecting the window's regions to real FTP servers (vsftpd and pyftpdlib on 127.0.0.1) the
// way a user does, through the Connect command and start-up, and what the user then sees: the
// host in the region's tree, the messages of failed connects, the session log, and the
// region left usable after every failure.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "app/SessionStatusDlg.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "ftp/support/LoopbackPorts.h"
#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "net/FtpSession.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"
#include "support/PaneHelpers.h"
#include "support/TempDir.h"

#include "DialogDriving.h"

#include <gtest/gtest.h>
#include <wx/statusbr.h>

#include <filesystem>

namespace {

const char* const kCloseQuestion = "This will close current connection";
const char* const kNoRootDirectory = "The initial remote root directory specified on the profile does not exist";

class ConnectRegionTest : public testing::Test {
protected:
    void SetUp() override
    {
        vsftpd = &SharedServer(ServerKind::Vsftpd);
        pyftpd = &SharedServer(ServerKind::Pyftpdlib);
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = "connect_" + name;
        for (FtpTestServer* server : {vsftpd, pyftpd}) {
            server->WriteFile(folder + "/readme.txt", "hello");
            server->MakeDir(folder + "/sub");
            server->MakeDir(folder + "/empty");
        }
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (home.Path() / "registry.reg").string());
    }

    void TearDown() override
    {
        StopApplication();
        TheApp().CloseRegions();
        registry.reset();
    }

    // Starts the program in the given connection type; the start-up Connect dialogs are
    // answered by `answers`.
    CMainFrame& Start(std::int32_t connectionType)
    {
        SaveConnectionType(connectionType);
        return StartApplication();
    }

    // Start-up reads the connection type from the registry; a first run writes it there.
    void SaveConnectionType(std::int32_t connectionType)
    {
        ScopedDialogAnswerer cancel([](wxDialog*) { return static_cast<int>(wxID_CANCEL); });
        StartApplication();
        TheApp().connectionType = connectionType;
        StopApplication();
    }

    HostProfile Profile(FtpTestServer& server, const std::string& initialDir)
    {
        return LoopbackProfile(server.Name(), server, true, initialDir);
    }

    std::string StatusPaneText(CMainFrame& frame) const
    {
        return frame.GetStatusBar()->GetStatusText(0).utf8_string();
    }

    FtpTestServer* vsftpd = nullptr;
    FtpTestServer* pyftpd = nullptr;
    std::string folder;
    TempDir home;
    std::unique_ptr<ScopedEnv> registry;
};

TEST_F(ConnectRegionTest, LocalRemoteStartConnectsTheLowerRegionAndLogsEveryStep)
{
    SessionLog().clear();
    ScopedMessageRecorder messages;
    ScopedConnectAnswers answers({Profile(*pyftpd, "/" + folder)});
    CMainFrame& frame = Start(CNorvoApp::kLocalRemote);

    EXPECT_EQ(answers.presetRegions, std::vector<int>{1});
    EXPECT_TRUE(messages.texts.empty());
    CBrowserView* upper = frame.GetTree(0);
    CBrowserView* lower = frame.GetTree(1);
    EXPECT_EQ(upper->GetItemText(upper->wxTreeCtrl::GetRootItem()), "Local Machine");
    const wxTreeItemId root = lower->wxTreeCtrl::GetRootItem();
    EXPECT_EQ(lower->GetItemText(root), "127.0.0.1/" + folder);
    EXPECT_EQ(ChildLabels(*lower, root), (std::vector<std::string>{"empty", "sub"}));
    EXPECT_EQ(lower->m_pConnection, TheApp().regions[1].Connection());
    ASSERT_NE(lower->m_pConnection, nullptr);

    lower->SelectItem(root);
    PumpEvents();
    EXPECT_EQ(ListColumn(*frame.GetFileList(1), 0), std::vector<std::string>{"readme.txt"});

    // The information comes before the text it belongs to.
    const std::string& log = SessionLog();
    const std::string address = "127.0.0.1:" + std::to_string(pyftpd->Port());
    EXPECT_EQ(log.rfind("127.0.0.1\r\nLooking up the IP address\r\n127.0.0.1\r\nSuccessfully found the IP address\r\n"
                        + address + "\r\nConnecting to the socket address\r\n" + address
                        + "\r\nSuccessfully connected to the socket address\r\n",
                        0),
              0u)
        << log.substr(0, 400);
    EXPECT_NE(log.find("Waiting for the server to respond to a request\r\n"), std::string::npos);
    const std::string lastLine = log.substr(0, log.size() - 2).substr(log.substr(0, log.size() - 2).rfind("\r\n") + 2);
    EXPECT_EQ(StatusPaneText(frame), lastLine);
}

TEST_F(ConnectRegionTest, RemoteRemoteStartConnectsBothRegionsEvenAfterTheFirstIsCancelled)
{
    {
        ScopedConnectAnswers answers({HostProfile{}, Profile(*vsftpd, "/" + folder)});
        CMainFrame& frame = Start(CNorvoApp::kRemoteRemote);
        EXPECT_EQ(answers.presetRegions, (std::vector<int>{0, 1}));
        EXPECT_EQ(frame.GetTree(0)->m_pConnection, nullptr);
        EXPECT_EQ(frame.GetTree(0)->GetItemText(frame.GetTree(0)->wxTreeCtrl::GetRootItem()), "Remote Host");
        EXPECT_NE(frame.GetTree(1)->m_pConnection, nullptr);
        StopApplication();
    }
    ScopedConnectAnswers answers({Profile(*vsftpd, "/" + folder), Profile(*pyftpd, "/" + folder)});
    CMainFrame& frame = Start(CNorvoApp::kRemoteRemote);
    EXPECT_EQ(answers.presetRegions, (std::vector<int>{0, 1}));
    for (int region : {0, 1}) {
        CBrowserView* tree = frame.GetTree(region);
        ASSERT_NE(tree->m_pConnection, nullptr) << region;
        EXPECT_EQ(ChildLabels(*tree, tree->wxTreeCtrl::GetRootItem()), (std::vector<std::string>{"empty", "sub"}));
    }
    EXPECT_NE(frame.GetTree(0)->m_pConnection, frame.GetTree(1)->m_pConnection);
}

TEST_F(ConnectRegionTest, FailedConnectsSayWhyAndLeaveTheRegionUnconnected)
{
    CMainFrame& frame = Start(CNorvoApp::kLocalRemote);
    CBrowserView* lower = frame.GetTree(1);
    HostProfile wrongPassword = Profile(*vsftpd, "/" + folder);
    wrongPassword.password = "not-the-password";
    HostProfile closedPort = LoopbackProfile("closed", FreeLoopbackPort(), "user", "pw");

    struct Case {
        HostProfile profile;
        std::string expected;   // a part of the message shown
    };
    const std::vector<Case> cases = {{wrongPassword, "530"}, {closedPort, "Cannot connect to 127.0.0.1:"}};
    for (const Case& c : cases) {
        ScopedMessageRecorder messages;
        ScopedConnectAnswers answers({c.profile});
        SendCommand(frame, ID_SERVER_CONNECT);
        ASSERT_EQ(messages.texts.size(), 1u) << c.expected;
        EXPECT_NE(messages.texts[0].find(c.expected), std::string::npos) << messages.texts[0];
        EXPECT_EQ(TheApp().regions[1].Connection(), nullptr);
        EXPECT_NE(TheApp().regions[1].Session(), nullptr) << "the session is kept for the next attempt";
        EXPECT_EQ(lower->m_pConnection, nullptr);
    }

    // The window is still usable: the next connect works.
    ScopedMessageRecorder messages;
    ScopedConnectAnswers answers({Profile(*pyftpd, "/" + folder)});
    SendCommand(frame, ID_SERVER_CONNECT);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_NE(lower->m_pConnection, nullptr);
}

TEST_F(ConnectRegionTest, InitialRootDirectoryThatIsMissingOrEmptyIsWarnedAboutButUsed)
{
    CMainFrame& frame = Start(CNorvoApp::kLocalRemote);
    CBrowserView* lower = frame.GetTree(1);
    struct Case {
        std::string initialDir;
        bool warned;
        std::vector<std::string> children;
    };
    const std::vector<Case> cases = {
        {"/" + folder, false, {"empty", "sub"}},
        {"", false, {}},   // the server's top: the test folders are there
        {"/" + folder + "/missing", true, {}},
        {"/" + folder + "/empty", true, {}},
    };
    for (FtpTestServer* server : {vsftpd, pyftpd}) {
        for (const Case& c : cases) {
            ScopedMessageRecorder messages;
            ScopedConnectAnswers answers({Profile(*server, c.initialDir)});
            SendCommand(frame, ID_SERVER_CONNECT);
            const std::string where = server->Name() + " '" + c.initialDir + "'";
            std::erase(messages.texts, std::string(kCloseQuestion));   // every connect but the first
            const auto expected = c.warned ? std::vector<std::string>{kNoRootDirectory} : std::vector<std::string>{};
            EXPECT_EQ(messages.texts, expected) << where;
            ASSERT_NE(lower->m_pConnection, nullptr) << where;
            const wxTreeItemId root = lower->wxTreeCtrl::GetRootItem();
            EXPECT_EQ(lower->GetItemText(root), "127.0.0.1" + c.initialDir) << where;
            if (!c.children.empty()) {
                EXPECT_EQ(ChildLabels(*lower, root), c.children) << where;
            }
        }
    }
}

TEST_F(ConnectRegionTest, ConnectingAConnectedRegionAsksAndCancelKeepsTheHostReread)
{
    CMainFrame& frame = Start(CNorvoApp::kLocalRemote);
    CBrowserView* lower = frame.GetTree(1);
    {
        ScopedConnectAnswers answers({Profile(*pyftpd, "/" + folder)});
        SendCommand(frame, ID_SERVER_CONNECT);
    }
    CFtpConnection* first = lower->m_pConnection;
    ASSERT_NE(first, nullptr);
    pyftpd->MakeDir(folder + "/added");

    {
        ScopedMessageRecorder messages([](const std::string&) { return wxCANCEL; });
        ScopedConnectAnswers answers({Profile(*vsftpd, "/" + folder)});
        SendCommand(frame, ID_SERVER_CONNECT);
        EXPECT_EQ(messages.texts, std::vector<std::string>{kCloseQuestion});
    }
    EXPECT_EQ(lower->m_pConnection, first);
    EXPECT_EQ(ChildLabels(*lower, lower->wxTreeCtrl::GetRootItem()), (std::vector<std::string>{"added", "empty", "sub"}));

    // OK closes the old connection; when the new connect then fails, the tree keeps what it
    // shows but reaches no connection any more.
    {
        ScopedMessageRecorder messages([](const std::string&) { return wxOK; });
        ScopedConnectAnswers answers({LoopbackProfile("closed", FreeLoopbackPort(), "user", "pw")});
        SendCommand(frame, ID_SERVER_CONNECT);
        ASSERT_EQ(messages.texts.size(), 2u);
        EXPECT_EQ(messages.texts[0], kCloseQuestion);
    }
    EXPECT_EQ(lower->m_pConnection, nullptr);
    const wxTreeItemId root = lower->wxTreeCtrl::GetRootItem();
    EXPECT_EQ(ChildLabels(*lower, root), (std::vector<std::string>{"added", "empty", "sub"}));
    const wxTreeItemId sub = FindChild(*lower, root, "sub");
    frame.SetActiveView(lower);
    lower->SelectItem(sub);
    PumpEvents();
    EXPECT_EQ(ChildLabels(*lower, sub), std::vector<std::string>{"dummy"}) << "nothing was read";
    SendCommand(frame, ID_FILE_REFRESH_ALL);
    EXPECT_EQ(lower->GetItemText(lower->wxTreeCtrl::GetRootItem()), "Remote Host");
}

TEST_F(ConnectRegionTest, SessionStatusDialogShowsASnapshotAndClearEmptiesTheLog)
{
    CMainFrame& frame = Start(CNorvoApp::kRemoteRemote);
    ScopedMessageRecorder messages;
    SessionLog().clear();
    {
        CSessionStatusDlg dialog(&frame);
        dialog.InitDialog();
        EXPECT_EQ(TextOf(&dialog, CSessionStatusDlg::IDC_LOG_TEXT), "");
    }
    {
        ScopedConnectAnswers answers({Profile(*vsftpd, "/" + folder)});
        SendCommand(frame, ID_SERVER_CONNECT);
    }
    CSessionStatusDlg dialog(&frame);
    dialog.InitDialog();
    const std::string shown = TextOf(&dialog, CSessionStatusDlg::IDC_LOG_TEXT);
    EXPECT_EQ(shown, SessionLog());
    EXPECT_NE(shown.find("Looking up the IP address"), std::string::npos);

    // Notifications while the dialog is open go to the log only.
    frame.GetTree(TheApp().currentRegion)->RefreshAll();
    EXPECT_GT(SessionLog().size(), shown.size());
    EXPECT_EQ(TextOf(&dialog, CSessionStatusDlg::IDC_LOG_TEXT), shown);

    ClickButton(&dialog, CSessionStatusDlg::IDC_CLEAR);
    EXPECT_EQ(SessionLog(), "");
    EXPECT_EQ(TextOf(&dialog, CSessionStatusDlg::IDC_LOG_TEXT), "");

    // After Clear only newer lines, here those of the other region.
    TheApp().currentRegion = 1 - TheApp().currentRegion;
    {
        ScopedConnectAnswers answers({Profile(*pyftpd, "/" + folder)});
        SendCommand(frame, ID_SERVER_CONNECT);
    }
    EXPECT_EQ(SessionLog().rfind("127.0.0.1\r\nLooking up the IP address\r\n", 0), 0u);
    CSessionStatusDlg reopened(&frame);
    reopened.InitDialog();
    EXPECT_EQ(TextOf(&reopened, CSessionStatusDlg::IDC_LOG_TEXT), SessionLog());

    // The command opens the dialog modally.
    const int before = AnsweredDialogCount("CSessionStatusDlg");
    SendCommand(frame, ID_VIEW_SESSION_STATUS);
    EXPECT_EQ(AnsweredDialogCount("CSessionStatusDlg"), before + 1);
}

TEST_F(ConnectRegionTest, ShutdownClosesConnectionsWithoutTouchingTheStatusBar)
{
    CMainFrame& frame = Start(CNorvoApp::kRemoteRemote);
    for (int region : {0, 1}) {
        TheApp().currentRegion = region;
        ScopedConnectAnswers answers({Profile(region == 0 ? *vsftpd : *pyftpd, "/" + folder)});
        SendCommand(frame, ID_SERVER_CONNECT);
    }
    ASSERT_NE(TheApp().regions[0].Connection(), nullptr);
    ASSERT_NE(TheApp().regions[1].Connection(), nullptr);
    frame.SetStatusText("before exit", 0);
    SessionLog().clear();

    g_bShuttingDown = true;
    TheApp().CloseRegions();
    g_bShuttingDown = false;

    EXPECT_EQ(StatusPaneText(frame), "before exit");
    for (int region : {0, 1}) {
        EXPECT_EQ(TheApp().regions[static_cast<std::size_t>(region)].Connection(), nullptr);
        EXPECT_EQ(TheApp().regions[static_cast<std::size_t>(region)].Session(), nullptr);
        EXPECT_EQ(frame.GetTree(region)->m_pConnection, nullptr) << "the tree let go before the close";
    }
    const std::string closing = "Closing the connection to the server\r\n";
    const std::string& log = SessionLog();
    const auto first = log.find(closing);
    ASSERT_NE(first, std::string::npos) << log;
    EXPECT_NE(log.find(closing, first + closing.size()), std::string::npos) << log;
}

} // namespace
