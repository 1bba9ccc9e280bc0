// A tree rooted on a real FTP host (vsftpd and pyftpdlib on 127.0.0.1, passive and active)
// by the Connect command: the remote root is read at once, directories are read like local
// ones, and the tree commands work on it.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "ftp/support/ServerTest.h"
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

INSTANTIATE_TEST_SUITE_P(Servers, RemoteTreeTest, testing::ValuesIn(AllServerModes()), ServerModeName);

} // namespace
