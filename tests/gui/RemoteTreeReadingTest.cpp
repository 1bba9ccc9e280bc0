// A tree rooted on a real FTP host (vsftpd and pyftpdlib on 127.0.0.1, passive and active):
// names in a legacy encoding, empty folders, and folders that cannot be listed.

#include "app/MainFrame.h"
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
#include "support/GuiTest.h"
#include "support/PaneHelpers.h"

#include <gtest/gtest.h>
#include <wx/statusbr.h>

#include <filesystem>

namespace {

class RemoteTreeReadingTest : public testing::TestWithParam<ServerMode> {
protected:
    void SetUp() override
    {
        server = &SharedServer(GetParam().kind);
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = "reading_" + name.substr(name.find('/') + 1);
        frame = &StartApplication();
        session.SetTimeout(kTestTimeout);
        connection.reset(session.GetFtpConnection("127.0.0.1", server->User(), server->Password(), server->Port(),
                                                  GetParam().passive));
        tree = frame->GetTree(1);
        list = frame->GetFileList(1);
        frame->SetActiveView(tree);
    }

    void TearDown() override
    {
        // The tree must let go of the connection before it closes.
        if (tree)
            tree->SetRoot(nullptr);
        StopApplication();
        connection.reset();
        session.Close();
    }

    void Root()
    {
        tree->m_strRootLabel = kRemoteHostLabel;
        tree->m_strRootDir = "/" + folder;
        tree->SetRoot(connection.get());
        root = tree->wxTreeCtrl::GetRootItem();
    }

    wxTreeItemId Select(const std::string& label)
    {
        const wxTreeItemId item = FindChild(*tree, root, label);
        EXPECT_TRUE(item.IsOk()) << label;
        if (item.IsOk()) {
            tree->SelectItem(item);
            PumpEvents();
        }
        return item;
    }

    // The item's data; a missing item fails the test instead of crashing it.
    const BrowserItem& Data(const wxTreeItemId& item)
    {
        static const BrowserItem missing;
        const BrowserItem* data = tree->Ref(item).GetItemData();
        EXPECT_NE(data, nullptr) << "no such item";
        return data ? *data : missing;
    }
    std::string Status() { return frame->GetStatusBar()->GetStatusText(0).utf8_string(); }

    FtpTestServer* server = nullptr;
    std::string folder;
    CMainFrame* frame = nullptr;
    CInternetSession session;
    ConnectionPtr connection;
    CBrowserView* tree = nullptr;
    FileView* list = nullptr;
    wxTreeItemId root;
};

TEST_P(RemoteTreeReadingTest, NamesInALegacyEncodingReadTheirOwnFolderOrSayWhyNot)
{
    server->WriteFile(folder + "/caf\xe9/inside.txt", "in");
    server->WriteFile(folder + "/caf\xe9/sub/deep.txt", "deep");
    server->WriteFile(folder + "/top.txt", "top");
    Root();
    tree->SelectItem(root);
    PumpEvents();
    EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"top.txt"});

    const bool sendsBytes = GetParam().kind == ServerKind::Vsftpd;
    // vsftpd sends the name's bytes as they are on its disk; pyftpdlib replaces what is no UTF-8
    // by "?", so that its own name no longer names the folder.
    const std::string label = sendsBytes ? "caf\\xE9" : "caf?";
    EXPECT_EQ(ChildLabels(*tree, root), std::vector<std::string>{label});
    const wxTreeItemId latin = Select(label);
    ASSERT_TRUE(latin.IsOk());
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
        EXPECT_EQ(Status().rfind("Cannot read /" + folder + "/caf?: 550", 0), 0u) << Status();
    }

    // Expand All from the root ends, with every folder that can be read read once.
    tree->SelectItem(root);
    PumpEvents();
    ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
    SendCommand(*frame, ID_FILE_EXPAND_ALL);
    const wxTreeItemId again = FindChild(*tree, root, label);
    ASSERT_TRUE(again.IsOk());
    if (sendsBytes) {
        const wxTreeItemId sub = FindChild(*tree, again, "sub");
        ASSERT_TRUE(sub.IsOk());
        EXPECT_EQ(Data(sub).m_bListed, 1);
        tree->SelectItem(sub);
        PumpEvents();
        EXPECT_EQ(ListColumn(*list, 0), std::vector<std::string>{"deep.txt"});
    } else {
        EXPECT_EQ(Data(again).m_bListed, 0);
        EXPECT_EQ(ChildLabels(*tree, again), std::vector<std::string>{"dummy"});
    }
}

TEST_P(RemoteTreeReadingTest, AnEmptyFolderIsReadAndOneThatCannotBeListedStaysUnread)
{
    server->WriteFile(folder + "/a.txt", "a");
    server->WriteFile(folder + "/gone/g.txt", "g");
    server->MakeDir(folder + "/empty");
    const bool honoursModes = GetParam().kind == ServerKind::Vsftpd;   // pyftpdlib runs as root here
    if (honoursModes) {
        server->WriteFile(folder + "/locked/secret.txt", "s");
        std::filesystem::permissions(server->Root() / folder / "locked", std::filesystem::perms::none);
    }
    Root();

    // Listed, and empty: read for good, with no expand button.
    const wxTreeItemId empty = Select("empty");
    EXPECT_EQ(Data(empty).m_bListed, 1);
    EXPECT_EQ(ChildLabels(*tree, empty), std::vector<std::string>{});
    EXPECT_EQ(tree->GetItemImage(empty), CBrowserView::kImageClosedFolder);

    // Gone between two reads: unread, marked, and the status bar gives the server's reason.
    std::filesystem::remove_all(server->Root() / folder / "gone");
    const wxTreeItemId gone = Select("gone");
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(Data(gone).m_bListed, 0);
    EXPECT_EQ(ChildLabels(*tree, gone), std::vector<std::string>{"dummy"});
    EXPECT_EQ(tree->GetItemImage(gone), CBrowserView::kImageUnreadFolder);
    EXPECT_EQ(Status().rfind("Cannot read /" + folder + "/gone: 550", 0), 0u) << Status();

    if (honoursModes) {
        const wxTreeItemId locked = Select("locked");
        EXPECT_EQ(list->GetItemCount(), 0);
        EXPECT_EQ(Data(locked).m_bListed, 0);
        EXPECT_EQ(Status().rfind("Cannot read /" + folder + "/locked: 550", 0), 0u) << Status();
    }

    // Expand All reads the root again (the folder that has gone is no longer listed) and keeps
    // the other verdicts.
    tree->SelectItem(root);
    PumpEvents();
    ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
    SendCommand(*frame, ID_FILE_EXPAND_ALL);
    EXPECT_EQ(Data(FindChild(*tree, root, "empty")).m_bListed, 1);
    EXPECT_FALSE(FindChild(*tree, root, "gone").IsOk());
    if (honoursModes) {
        EXPECT_EQ(Data(FindChild(*tree, root, "locked")).m_bListed, 0);
    }

    // A root directory that cannot be listed leaves the root unread, and says so.
    tree->m_strRootDir = "/" + folder + "/gone";
    tree->SetRoot(connection.get());
    root = tree->wxTreeCtrl::GetRootItem();
    EXPECT_EQ(Data(root).m_bListed, 0);
    EXPECT_EQ(ChildLabels(*tree, root), std::vector<std::string>{"dummy"});
    EXPECT_EQ(Status().rfind("Cannot read /" + folder + "/gone: 550", 0), 0u) << Status();
}

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

INSTANTIATE_TEST_SUITE_P(Servers, RemoteTreeReadingTest, testing::ValuesIn(AllServerModes()), ServerModeName);

} // namespace
