// New Folder, Rename and Delete on a tree and a file list connected to a real FTP host
// (vsftpd and pyftpdlib on 127.0.0.1): what the server's disk holds afterwards and what the
// window shows, including what a server that refuses leaves behind.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "ftp/support/ServerTest.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"
#include "support/LabelEditing.h"
#include "support/PaneHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;

const char* const kDeleteQuestion = "Are you sure want to delete the directory";
const char* const kDeleteDirFailed =
    "Failed to Delete the Directory, you have expand all sub directories in order to delete the directory";

class RemoteFileCommandsTest : public testing::TestWithParam<ServerMode> {
protected:
    void SetUp() override
    {
        server = &SharedServer(GetParam().kind);
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        folder = "commands_" + name;
        server->WriteFile(folder + "/a.txt", "a");
        server->WriteFile(folder + "/b.txt", "bb");
        server->WriteFile(folder + "/c.txt", "ccc");
        server->WriteFile(folder + "/alpha/deep/x.txt", "xxx");
        server->WriteFile(folder + "/alpha/one.txt", "1");
        server->WriteFile(folder + "/alpha/two.txt", "2");
        server->WriteFile(folder + "/alpha/three.txt", "3");
        server->MakeDir(folder + "/Zeta");

        frame = &StartApplication();
        ScopedConnectAnswers answers({LoopbackProfile(server->Name(), *server, GetParam().passive, "/" + folder)});
        SendCommand(*frame, ID_SERVER_CONNECT);
        tree = frame->GetTree(1);
        list = frame->GetFileList(1);
        root = tree->wxTreeCtrl::GetRootItem();
        Select(root);
    }

    void TearDown() override
    {
        StopApplication();
        TheApp().CloseRegions();
    }

    void Select(const wxTreeItemId& item)
    {
        frame->SetActiveView(tree);
        tree->SelectItem(item);
        PumpEvents();
    }
    wxTreeItemId Child(const std::string& label) { return FindChild(*tree, root, label); }
    void Command(int id) { SendCommand(*frame, id); }
    bool OnServer(const std::string& relative) { return server->Exists(folder + "/" + relative); }

    FtpTestServer* server = nullptr;
    std::string folder;
    CMainFrame* frame = nullptr;
    CBrowserView* tree = nullptr;
    FileView* list = nullptr;
    wxTreeItemId root;
};

TEST_P(RemoteFileCommandsTest, FoldersAreMadeAndRenamedOnTheHostOrNotAtAll)
{
    ScopedMessageRecorder messages;
    Command(ID_FILE_NEW_FOLDER);
    EndEdit(*tree, std::nullopt);
    EXPECT_TRUE(fs::is_directory(server->Root() / folder / "New Folder"));
    for (const char* refused : {"New Folder", "x/y"}) {
        Select(root);
        Command(ID_FILE_NEW_FOLDER);
        EndEdit(*tree, std::string(refused));
    }
    EXPECT_EQ(messages.texts, Texts(2, "Failed to create directory"));
    EXPECT_FALSE(OnServer("x"));
    EXPECT_EQ(ChildLabels(*tree, root), (Texts{"alpha", "New Folder", "Zeta"}));

    // A case-only rename of a read folder: its unread child is then read through the new path.
    Select(Child("alpha"));
    Command(ID_FILE_RENAME);
    EndEdit(*tree, "ALPHA");
    EXPECT_EQ(server->ReadFile(folder + "/ALPHA/deep/x.txt"), "xxx");
    Select(FindChild(*tree, Child("ALPHA"), "deep"));
    EXPECT_EQ(ListColumn(*list, 0), Texts{"x.txt"});

    Select(Child("ALPHA"));
    Command(ID_FILE_RENAME);
    EndEdit(*tree, "Zeta");
    EXPECT_EQ(messages.texts.back(), "Failed to rename directory");
    EXPECT_EQ(ChildLabels(*tree, root), (Texts{"ALPHA", "New Folder", "Zeta"}));
    EXPECT_TRUE(OnServer("ALPHA/one.txt"));
}

TEST_P(RemoteFileCommandsTest, ADirectoryIsDeletedOnlyWhenReadAndStopsWhereTheServerRefuses)
{
    ScopedMessageRecorder messages([](const std::string& text) { return text == kDeleteQuestion ? wxYES : wxOK; });
    Select(Child("alpha"));
    Command(ID_FILE_DELETE);
    EXPECT_EQ(messages.texts, (Texts{kDeleteQuestion, kDeleteDirFailed}));
    EXPECT_TRUE(OnServer("alpha/deep/x.txt"));
    EXPECT_TRUE(OnServer("alpha/one.txt"));

    {
        ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
        Command(ID_FILE_EXPAND_ALL);
    }
    // The second of the folder's files goes behind the program's back: the server refuses to
    // delete it, and the delete stops there.
    const std::vector<std::string> stored = [&] {
        Texts names;
        for (const auto& entry : ItemData(*tree, Child("alpha")).m_files)
            names.push_back(entry->m_strName);
        return names;
    }();
    ASSERT_EQ(stored.size(), 3u);
    fs::remove(server->Root() / folder / "alpha" / stored[1]);
    messages.texts.clear();
    Command(ID_FILE_DELETE);
    EXPECT_EQ(messages.texts, (Texts{kDeleteQuestion, kDeleteDirFailed}));
    EXPECT_FALSE(OnServer("alpha/deep"));
    EXPECT_FALSE(OnServer("alpha/" + stored[0]));
    EXPECT_TRUE(OnServer("alpha/" + stored[2]));
    EXPECT_EQ(ChildLabels(*tree, Child("alpha")), Texts{});
    EXPECT_EQ(ItemData(*tree, Child("alpha")).m_files.size(), 2u);

    server->WriteFile(folder + "/alpha/" + stored[1], "back");
    messages.texts.clear();
    Command(ID_FILE_DELETE);
    EXPECT_EQ(messages.texts, Texts{kDeleteQuestion});
    EXPECT_FALSE(OnServer("alpha"));
    EXPECT_EQ(ChildLabels(*tree, root), Texts{"Zeta"});
}

TEST_P(RemoteFileCommandsTest, FilesAreRenamedAndDeletedWithTheirRows)
{
    frame->SetActiveView(list);
    const auto selectOnly = [&](std::initializer_list<std::string> names) {
        list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
        const Texts rows = ListColumn(*list, 0);
        for (const std::string& name : names)
            list->SetItemState(std::find(rows.begin(), rows.end(), name) - rows.begin(), wxLIST_STATE_SELECTED,
                               wxLIST_STATE_SELECTED);
    };
    ScopedMessageRecorder messages;
    selectOnly({"a.txt"});
    Command(ID_FILE_RENAME);
    EndEdit(*list, "A.txt");
    selectOnly({"b.txt"});
    Command(ID_FILE_RENAME);
    EndEdit(*list, "c.txt");
    EXPECT_EQ(messages.texts, Texts{"Failed to rename file"});
    EXPECT_EQ(server->ReadFile(folder + "/A.txt"), "a");
    EXPECT_EQ(server->ReadFile(folder + "/c.txt"), "ccc");
    EXPECT_EQ(ListColumn(*list, 0), (Texts{"A.txt", "b.txt", "c.txt"}));

    messages.texts.clear();
    fs::remove(server->Root() / folder / "b.txt");
    selectOnly({"A.txt", "b.txt", "c.txt"});
    Command(ID_FILE_DELETE);
    EXPECT_EQ(messages.texts, Texts{"Failed to delete file"});
    EXPECT_EQ(ListColumn(*list, 0), Texts{"b.txt"});
    EXPECT_FALSE(OnServer("A.txt") || OnServer("c.txt"));
    ASSERT_EQ(ItemData(*tree, root).m_files.size(), 1u);
    EXPECT_EQ(ItemData(*tree, root).m_files[0]->m_strName, "b.txt");
}

std::vector<ServerMode> PassiveModes()
{
    return {{ServerKind::Vsftpd, true}, {ServerKind::Pyftpdlib, true}};
}

INSTANTIATE_TEST_SUITE_P(Servers, RemoteFileCommandsTest, testing::ValuesIn(PassiveModes()), ServerModeName);

} // namespace
