// A tree rooted on a real FTP host (vsftpd and pyftpdlib on 127.0.0.1, passive and active)
// by the Connect command: the remote root is read at once, directories are read like local
// ones, names in a legacy encoding and folders that cannot be listed are told apart from empty
// ones, and the tree commands work on it.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "browser/RootLabels.h"
#include "ftp/support/RogueServer.h"
#include "ftp/support/ServerTest.h"
#include "platform/inet/InternetSession.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"
#include "support/PaneHelpers.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class RemoteTreeTest : public testing::TestWithParam<ServerMode> {
protected:
    void SetUp() override
    {
        server = &SharedServer(GetParam().kind);
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = "tree_" + name.substr(name.find('/') + 1);
        server->WriteFile(folder + "/b.txt", "bb");
        server->WriteFile(folder + "/a.txt", "a");
        server->WriteFile(folder + "/alpha/deep/x.txt", "xxx");
        server->MakeDir(folder + "/Zeta");
        server->MakeDir(folder + "/alpha/empty");

        frame = &StartApplication();
        ScopedConnectAnswers answers({LoopbackProfile(server->Name(), *server, GetParam().passive, "/" + folder)});
        SendCommand(*frame, ID_SERVER_CONNECT);
        tree = frame->GetTree(1);
        list = frame->GetFileList(1);
        root = tree->wxTreeCtrl::GetRootItem();
        frame->SetActiveView(tree);
    }

    void TearDown() override
    {
        StopApplication();
        TheApp().CloseRegions();
    }

    void SelectItem(const wxTreeItemId& item)
    {
        tree->SelectItem(item);
        PumpEvents();
    }

    // Roots the tree again on the region's connection, from the tree's root directory, to show
    // what the test has just changed on the server.
    void Reroot()
    {
        tree->SetRoot(TheApp().regions[1].Connection());
        root = tree->wxTreeCtrl::GetRootItem();
    }

    void ExpandAll(const wxTreeItemId& item)
    {
        SelectItem(item);
        ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
        SendCommand(*frame, ID_FILE_EXPAND_ALL);
    }

    const BrowserItem& Data(const wxTreeItemId& item) { return ItemData(*tree, item); }
    // The status bar's message starts with `start`.
    void ExpectStatus(const std::string& start)
    {
        const std::string status = StatusText(*frame);
        EXPECT_EQ(status.rfind(start, 0), 0u) << status;
    }

    FtpTestServer* server = nullptr;
    std::string folder;
    CMainFrame* frame = nullptr;
    CBrowserView* tree = nullptr;
    FileView* list = nullptr;
    wxTreeItemId root;
};

TEST_P(RemoteTreeTest, RootIsTheServerAndRootDirectoryAndIsReadAtOnce)
{
    ASSERT_NE(tree->m_pConnection, nullptr);
    EXPECT_EQ(tree->GetItemText(root), "127.0.0.1/" + folder);
    EXPECT_EQ(ChildLabels(*tree, root), (std::vector<std::string>{"alpha", "Zeta"}));
    std::string path;
    tree->GetItemPath(tree->Ref(root), path);
    EXPECT_EQ(path, "/" + folder);
    tree->GetItemPath(tree->Ref(FindChild(*tree, root, "alpha")), path);
    EXPECT_EQ(path, "/" + folder + "/alpha");

    SelectItem(root);
    EXPECT_EQ(ListColumn(*list, 0), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(ListColumn(*list, 1), (std::vector<std::string>{"1", "2"}));
}

TEST_P(RemoteTreeTest, CommandsAreOnWithTheRemoteRootSelected)
{
    SelectItem(root);
    for (int id : {ID_FILE_NEW_FOLDER, ID_FILE_EXPAND_ALL, ID_FILE_REFRESH_FOLDER, ID_FILE_REFRESH_ALL})
        EXPECT_TRUE(CommandEnabled(*frame, id)) << id;
    EXPECT_FALSE(CommandEnabled(*frame, ID_FILE_DELETE));
    EXPECT_FALSE(CommandEnabled(*frame, ID_FILE_RENAME));
}

TEST_P(RemoteTreeTest, ASubdirectoryIsReadWhenSelectedAndAnEmptyOneShowsNothing)
{
    const wxTreeItemId alpha = FindChild(*tree, root, "alpha");
    EXPECT_EQ(ChildLabels(*tree, alpha), std::vector<std::string>{"dummy"});
    SelectItem(alpha);
    EXPECT_EQ(ChildLabels(*tree, alpha), (std::vector<std::string>{"deep", "empty"}));
    EXPECT_EQ(list->GetItemCount(), 0);
    SelectItem(FindChild(*tree, alpha, "deep"));
    EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"x.txt"});
    // Listed, and empty: read for good, with no expand button.
    const wxTreeItemId empty = FindChild(*tree, alpha, "empty");
    SelectItem(empty);
    EXPECT_EQ(Data(empty).m_bListed, 1);
    EXPECT_EQ(ChildLabels(*tree, empty), std::vector<std::string>{});
    EXPECT_EQ(tree->GetItemImage(empty), CBrowserView::kImageClosedFolder);
}

TEST_P(RemoteTreeTest, ExpandAllReadsTheWholeHostBelowTheRootInOrder)
{
    SelectItem(root);
    ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
    SendCommand(*frame, ID_FILE_EXPAND_ALL);
    const wxTreeItemId alpha = FindChild(*tree, root, "alpha");
    const wxTreeItemId deep = FindChild(*tree, alpha, "deep");
    ASSERT_TRUE(deep.IsOk());
    EXPECT_TRUE(tree->IsExpanded(root));
    EXPECT_TRUE(tree->IsExpanded(alpha));
    EXPECT_EQ(ChildLabels(*tree, alpha), (std::vector<std::string>{"deep", "empty"}));
    EXPECT_EQ(ChildLabels(*tree, deep), std::vector<std::string>{});
    SelectItem(deep);
    EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"x.txt"});
}

TEST_P(RemoteTreeTest, RefreshFolderShowsWhatChangedOnTheServer)
{
    SelectItem(root);
    std::filesystem::remove(server->Root() / folder / "a.txt");
    server->WriteFile(folder + "/c.txt", "ccc");
    server->MakeDir(folder + "/beta");
    SendCommand(*frame, ID_FILE_REFRESH_FOLDER);
    EXPECT_EQ(ListColumn(*list, 0), (std::vector<std::string>{"b.txt", "c.txt"}));
    EXPECT_EQ(ChildLabels(*tree, root), (std::vector<std::string>{"alpha", "beta", "Zeta"}));
}

TEST_P(RemoteTreeTest, NamesInALegacyEncodingReadTheirOwnFolderOrSayWhyNot)
{
    server->WriteFile(folder + "/caf\xe9/inside.txt", "in");
    server->WriteFile(folder + "/caf\xe9/sub/deep.txt", "deep");
    Reroot();
    const bool sendsBytes = GetParam().kind == ServerKind::Vsftpd;
    // vsftpd sends the name's bytes as they are on its disk; pyftpdlib replaces what is no UTF-8
    // by "?", so that its own name no longer names the folder.
    const std::string label = sendsBytes ? "caf\\xE9" : "caf?";
    const wxTreeItemId latin = FindChild(*tree, root, label);
    ASSERT_TRUE(latin.IsOk());
    SelectItem(latin);
    if (sendsBytes) {
        std::string path;
        tree->GetItemPath(tree->Ref(latin), path);
        EXPECT_EQ(path, "/" + folder + "/caf\xe9");
        EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"inside.txt"});
        EXPECT_EQ(ChildLabels(*tree, latin), std::vector<std::string>{"sub"});
    } else {
        // Never the parent's files instead.
        EXPECT_EQ(list->GetItemCount(), 0);
        EXPECT_EQ(Data(latin).m_bListed, 0);
        ExpectStatus("Cannot read /" + folder + "/caf?: 550");
    }

    // Expand All from the root ends, with every folder that can be read read once.
    ExpandAll(root);
    const wxTreeItemId again = FindChild(*tree, root, label);
    if (sendsBytes) {
        const wxTreeItemId sub = FindChild(*tree, again, "sub");
        EXPECT_EQ(Data(sub).m_bListed, 1);
        SelectItem(sub);
        EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"deep.txt"});
    } else {
        EXPECT_EQ(Data(again).m_bListed, 0);
        EXPECT_EQ(ChildLabels(*tree, again), std::vector<std::string>{"dummy"});
    }
}

TEST_P(RemoteTreeTest, AFolderThatCannotBeListedStaysUnreadAndTheStatusBarSaysWhy)
{
    server->WriteFile(folder + "/gone/g.txt", "g");
    const bool honoursModes = GetParam().kind == ServerKind::Vsftpd;   // pyftpdlib runs as root here
    if (honoursModes) {
        server->WriteFile(folder + "/locked/secret.txt", "s");
        std::filesystem::permissions(server->Root() / folder / "locked", std::filesystem::perms::none);
    }
    Reroot();

    // Gone between two reads: unread, marked, and the status bar gives the server's reason.
    std::filesystem::remove_all(server->Root() / folder / "gone");
    const wxTreeItemId gone = FindChild(*tree, root, "gone");
    SelectItem(gone);
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(Data(gone).m_bListed, 0);
    EXPECT_EQ(ChildLabels(*tree, gone), std::vector<std::string>{"dummy"});
    EXPECT_EQ(tree->GetItemImage(gone), CBrowserView::kImageUnreadFolder);
    ExpectStatus("Cannot read /" + folder + "/gone: 550");

    if (honoursModes) {
        SelectItem(FindChild(*tree, root, "locked"));
        EXPECT_EQ(list->GetItemCount(), 0);
        ExpectStatus("Cannot read /" + folder + "/locked: 550");
        // Expand All reads the rest and leaves it unread.
        ExpandAll(root);
        EXPECT_EQ(Data(FindChild(*tree, root, "locked")).m_bListed, 0);
        EXPECT_EQ(Data(FindChild(*tree, FindChild(*tree, root, "alpha"), "empty")).m_bListed, 1);
    }

    // A root directory that cannot be listed leaves the root unread, and says so.
    tree->m_strRootDir = "/" + folder + "/gone";
    Reroot();
    EXPECT_EQ(Data(root).m_bListed, 0);
    EXPECT_EQ(ChildLabels(*tree, root), std::vector<std::string>{"dummy"});
    ExpectStatus("Cannot read /" + folder + "/gone: 550");
}

INSTANTIATE_TEST_SUITE_P(Servers, RemoteTreeTest, testing::ValuesIn(AllServerModes()), ServerModeName);

TEST(RogueTreeTest, ExpandAllOnAHostThatNestsAFolderForEverStopsAtItsDepthLimit)
{
    // Every directory of this server, however deep, holds a file and a folder "pub".
    RogueServer rogue("normal");
    CMainFrame& frame = StartApplication();
    CInternetSession session;
    session.SetTimeout(kTestTimeout);
    ConnectionPtr connection(
        session.GetFtpConnection("127.0.0.1", RogueServer::kUser, RogueServer::kPassword, rogue.Port(), true));
    CBrowserView* tree = frame.GetTree(1);
    tree->m_strRootLabel = kRemoteHostLabel;
    tree->m_strRootDir.clear();
    tree->SetRoot(connection.get());
    frame.SetActiveView(tree);
    const wxTreeItemId root = tree->wxTreeCtrl::GetRootItem();
    tree->SelectItem(root);
    PumpEvents();
    {
        ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
        SendCommand(frame, ID_FILE_EXPAND_ALL);
    }

    int depth = 0;
    wxTreeItemId deepest = root;
    for (wxTreeItemId next = FindChild(*tree, root, "pub"); next.IsOk(); next = FindChild(*tree, next, "pub")) {
        deepest = next;
        ++depth;
    }
    // The root and the limit's levels below it are read; the folders under the last of them
    // are shown unread.
    EXPECT_EQ(depth, CBrowserView::kExpandAllDepthLimit + 1);
    EXPECT_EQ(tree->Ref(deepest).GetItemData()->m_bListed, 0);
    EXPECT_EQ(ChildLabels(*tree, deepest), std::vector<std::string>{"dummy"});

    tree->SetRoot(nullptr);
    StopApplication();
    connection.reset();
    session.Close();
}

} // namespace
