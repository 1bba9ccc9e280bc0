// New Folder, Rename and Delete on the local tree and file list, on a temporary drive through
// the real window: what the disk holds afterwards and what the window shows.

#include "app/MainFrame.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "platform/localfs/DriveMap.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"
#include "support/LabelEditing.h"
#include "support/PaneHelpers.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;

const char* const kCreateFailed = "Failed to create directory";
const char* const kRenameDirFailed = "Failed to rename directory";
const char* const kDeleteQuestion = "Are you sure want to delete the directory";
const char* const kDeleteDirFailed =
    "Failed to Delete the Directory, you have expand all sub directories in order to delete the directory";

class FileCommandsTest : public testing::Test {
protected:
    void SetUp() override
    {
        drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str());
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (home.Path() / "registry.reg").string());
        localfs::ReloadDriveMap();
        frame = &StartApplication();
        tree = frame->GetTree(0);
        list = frame->GetFileList(0);
        frame->SetActiveView(tree);
    }

    void TearDown() override
    {
        StopApplication();
        drives.reset();
        registry.reset();
        localfs::ReloadDriveMap();
    }

    // Selects each folder on the way down, as a user opens them.
    wxTreeItemId Select(const std::vector<std::string>& labels)
    {
        frame->SetActiveView(tree);
        wxTreeItemId item;
        for (std::size_t depth = 1; depth <= labels.size(); ++depth) {
            item = FindPath(*tree, std::vector<std::string>(labels.begin(), labels.begin() + depth));
            EXPECT_TRUE(item.IsOk()) << labels[depth - 1];
            if (!item.IsOk())
                return item;
            tree->SelectItem(item);
            PumpEvents();
        }
        return item;
    }
    void Command(int id) { SendCommand(*frame, id); }
    void ExpandAll(const std::vector<std::string>& labels)
    {
        Select(labels);
        ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
        Command(ID_FILE_EXPAND_ALL);
    }
    // Deletes the selected directory, answering the question with `answer`; the texts shown.
    Texts DeleteDirectory(int answer = wxYES)
    {
        ScopedMessageRecorder messages([answer](const std::string& text) { return text == kDeleteQuestion ? answer : wxOK; });
        Command(ID_FILE_DELETE);
        return messages.texts;
    }
    Texts Children(const std::vector<std::string>& labels) { return ChildLabels(*tree, FindPath(*tree, labels)); }
    bool OnDisk(const std::string& relative) { return fs::exists(fs::symlink_status(drive.Path() / relative)); }

    TempDir drive;
    TempDir home;
    std::unique_ptr<ScopedEnv> drives;
    std::unique_ptr<ScopedEnv> registry;
    CMainFrame* frame = nullptr;
    CBrowserView* tree = nullptr;
    FileView* list = nullptr;
};

TEST_F(FileCommandsTest, NewFolderIsMadeWhenItsLabelIsConfirmedAndVanishesWhenItCannotBe)
{
    drive.WriteFile("docs/readme.txt", "r");
    Select({"C:", "docs"});
    ScopedMessageRecorder messages;

    // A typed name, trimmed; nothing exists before the edit ends.
    Command(ID_FILE_NEW_FOLDER);
    EXPECT_EQ(Children({"C:", "docs"}), Texts{"New Folder"});
    EXPECT_EQ(ItemData(*tree, FindPath(*tree, {"C:", "docs", "New Folder"})).m_bNewFolder, 1);
    EXPECT_FALSE(OnDisk("docs/New Folder"));
    EndEdit(*tree, "  Reports ");
    EXPECT_TRUE(fs::is_directory(drive.Path() / "docs/Reports"));
    EXPECT_EQ(Children({"C:", "docs"}), Texts{"Reports"});

    // Escape leaves it pending, and a re-read of its parent keeps it; a later rename makes it.
    Command(ID_FILE_NEW_FOLDER);
    EndEdit(*tree, std::nullopt, EditEnd::Escape);
    Select({"C:", "docs"});
    Command(ID_FILE_REFRESH_FOLDER);
    EXPECT_EQ(Children({"C:", "docs"}), (Texts{"New Folder", "Reports"}));
    EXPECT_EQ(ItemData(*tree, FindPath(*tree, {"C:", "docs", "New Folder"})).m_bNewFolder, 1);
    Select({"C:", "docs", "New Folder"});
    Command(ID_FILE_RENAME);
    EndEdit(*tree, "Later");
    EXPECT_TRUE(fs::is_directory(drive.Path() / "docs/Later"));
    EXPECT_EQ(Children({"C:", "docs"}), (Texts{"Later", "Reports"}));

    // Confirmed without typing: "New Folder". Once more: it exists, so the new item goes.
    Select({"C:", "docs"});
    Command(ID_FILE_NEW_FOLDER);
    EndEdit(*tree, std::nullopt);
    EXPECT_TRUE(fs::is_directory(drive.Path() / "docs/New Folder"));
    EXPECT_TRUE(messages.texts.empty());
    for (const char* refused : {"New Folder", "a/b", ".."}) {
        Select({"C:", "docs"});
        Command(ID_FILE_NEW_FOLDER);
        EndEdit(*tree, std::string(refused));
    }
    EXPECT_EQ(messages.texts, Texts(3, kCreateFailed));
    EXPECT_EQ(Children({"C:", "docs"}), (Texts{"Later", "New Folder", "Reports"}));
    EXPECT_FALSE(OnDisk("docs/a"));
    Select({"C:", "docs", "New Folder"});
    EXPECT_EQ(ItemData(*tree, FindPath(*tree, {"C:", "docs", "New Folder"})).m_bNewFolder, 0);
}

TEST_F(FileCommandsTest, RenameMovesTheSubtreeAndNeverTouchesRootDrivesOrTrueNames)
{
    drive.WriteFile("old/sub/deep.txt", "d");
    drive.MakeDir("taken");
    drive.MakeDir("odd\xff");

    // The root and the drives never open an edit field.
    tree->SelectItem(tree->wxTreeCtrl::GetRootItem());
    PumpEvents();
    tree->StartRename();
    EXPECT_FALSE(EditOpen(*tree));
    Select({"C:"});
    Command(ID_FILE_RENAME);
    EXPECT_FALSE(EditOpen(*tree));

    ExpandAll({"C:", "old"});
    Select({"C:", "old"});
    Command(ID_FILE_RENAME);
    EndEdit(*tree, "zeta");
    EXPECT_EQ(Children({"C:"}), (Texts{"odd\\xFF", "taken", "zeta"}));
    EXPECT_TRUE(fs::exists(drive.Path() / "zeta/sub/deep.txt"));
    std::string path;
    tree->GetItemPath(tree->Ref(FindPath(*tree, {"C:", "zeta", "sub"})), path);
    EXPECT_EQ(path, "C:/zeta/sub");
    Select({"C:", "zeta", "sub"});
    EXPECT_EQ(ListColumn(*list, 0), Texts{"deep.txt"});

    // Only the letter case changes: renamed all the same.
    Select({"C:", "zeta"});
    Command(ID_FILE_RENAME);
    EndEdit(*tree, "Zeta");
    EXPECT_TRUE(fs::exists(drive.Path() / "Zeta/sub/deep.txt"));
    EXPECT_EQ(Children({"C:"}), (Texts{"odd\\xFF", "taken", "Zeta"}));

    // A shown "\xFF" confirmed as it stands names the true byte: nothing to rename.
    ScopedMessageRecorder messages;
    Select({"C:", "odd\\xFF"});
    Command(ID_FILE_RENAME);
    EndEdit(*tree, "odd\\xFF ");
    EXPECT_TRUE(fs::is_directory(drive.Path() / "odd\xff"));
    EXPECT_FALSE(OnDisk("odd\\xFF"));
    EXPECT_TRUE(messages.texts.empty());

    // Onto an existing name, or with a "/": refused, the label stays.
    for (const char* refused : {"taken", "taken/inner"}) {
        Select({"C:", "Zeta"});
        Command(ID_FILE_RENAME);
        EndEdit(*tree, std::string(refused));
    }
    EXPECT_EQ(messages.texts, Texts(2, kRenameDirFailed));
    EXPECT_EQ(Children({"C:"}), (Texts{"odd\\xFF", "taken", "Zeta"}));
    EXPECT_TRUE(fs::exists(drive.Path() / "Zeta/sub/deep.txt"));
    EXPECT_TRUE(fs::is_empty(drive.Path() / "taken"));
}

TEST_F(FileCommandsTest, DeletingATreeNeedsEveryFolderReadAndLeavesLinkTargetsAlone)
{
    drive.WriteFile("top/a.txt", "a");
    drive.WriteFile("top/sub/inner/c.txt", "c");
    drive.WriteFile("outside/keep.txt", "k");
    fs::create_directory_symlink("../outside", drive.Path() / "top/link");
    fs::create_symlink("../outside/keep.txt", drive.Path() / "top/file-link");

    Select({"C:", "top"});
    EXPECT_EQ(DeleteDirectory(wxNO), Texts{kDeleteQuestion});
    EXPECT_EQ(DeleteDirectory(), (Texts{kDeleteQuestion, kDeleteDirFailed}));
    EXPECT_TRUE(OnDisk("top/a.txt"));
    EXPECT_TRUE(OnDisk("top/sub/inner/c.txt"));

    // Expand All leaves the link unread: that does not keep the tree from being deleted.
    ExpandAll({"C:", "top"});
    EXPECT_EQ(ItemData(*tree, FindPath(*tree, {"C:", "top", "link"})).m_bListed, 0);
    EXPECT_EQ(DeleteDirectory(), Texts{kDeleteQuestion});
    EXPECT_FALSE(OnDisk("top"));
    EXPECT_EQ(Children({"C:"}), Texts{"outside"});
    EXPECT_TRUE(fs::exists(drive.Path() / "outside/keep.txt"));
    EXPECT_EQ(tree->GetItemText(tree->GetSelection()), "C:");
}

TEST_F(FileCommandsTest, ADeleteStopsAtTheFirstFileThatCannotGo)
{
    drive.WriteFile("top/a.txt", "a");
    drive.WriteFile("top/first/f.txt", "f");
    drive.WriteFile("top/second/s1.txt", "1");
    drive.WriteFile("top/second/s2.txt", "2");
    for (const auto& entry : fs::recursive_directory_iterator(drive.Path()))
        fs::permissions(entry.path(), fs::perms::all);
    fs::permissions(drive.Path(), fs::perms::all);
    fs::permissions(drive.Path() / "top/second", fs::perms::owner_read | fs::perms::owner_exec |
                                                     fs::perms::group_read | fs::perms::group_exec |
                                                     fs::perms::others_read | fs::perms::others_exec);
    auto nobody = std::make_unique<ScopedUnprivileged>();
    if (!nobody->Ready())
        GTEST_SKIP() << nobody->Failure();

    ExpandAll({"C:", "top"});
    // Subdirectories first, in order: "first" goes, then "second" cannot lose its files.
    EXPECT_EQ(DeleteDirectory(), (Texts{kDeleteQuestion, kDeleteDirFailed}));
    EXPECT_FALSE(OnDisk("top/first"));
    EXPECT_TRUE(OnDisk("top/second/s1.txt"));
    EXPECT_TRUE(OnDisk("top/a.txt"));
    EXPECT_EQ(Children({"C:", "top"}), Texts{"second"});
    EXPECT_EQ(ItemData(*tree, FindPath(*tree, {"C:", "top", "second"})).m_files.size(), 2u);
    EXPECT_EQ(ListColumn(*list, 0), Texts{"a.txt"});

    // Once the folder can be written, the same delete completes.
    nobody.reset();
    fs::permissions(drive.Path() / "top/second", fs::perms::all);
    Select({"C:", "top"});
    EXPECT_EQ(DeleteDirectory(), Texts{kDeleteQuestion});
    EXPECT_FALSE(OnDisk("top"));
}

TEST_F(FileCommandsTest, ListRenameAndDeleteChangeTheDiskTheEntriesAndTheRowsTogether)
{
    for (const char* name : {"apple.txt", "Banana.txt", "cherry.txt", "dates.txt", "caf\xe9.txt"})
        drive.WriteFile(std::string("files/") + name, name);
    const wxTreeItemId files = Select({"C:", "files"});
    frame->SetActiveView(list);
    const auto selectOnly = [&](std::initializer_list<std::string> names) {
        list->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
        const Texts rows = ListColumn(*list, 0);
        for (const std::string& name : names)
            list->SetItemState(std::find(rows.begin(), rows.end(), name) - rows.begin(), wxLIST_STATE_SELECTED,
                               wxLIST_STATE_SELECTED);
    };
    const auto rename = [&](const std::string& row, const std::string& typed) {
        selectOnly({row});
        Command(ID_FILE_RENAME);
        EndEdit(*list, typed);
    };
    ScopedMessageRecorder messages;

    rename("apple.txt", "zebra.txt");
    rename("cherry.txt", "Cherry.txt");
    rename("caf\\xE9.txt", "caf\\xE9.txt");
    EXPECT_EQ(ListColumn(*list, 0), (Texts{"Banana.txt", "caf\\xE9.txt", "Cherry.txt", "dates.txt", "zebra.txt"}));
    EXPECT_TRUE(OnDisk("files/zebra.txt") && OnDisk("files/Cherry.txt") && OnDisk("files/caf\xe9.txt"));
    EXPECT_FALSE(OnDisk("files/apple.txt") || OnDisk("files/cherry.txt"));
    EXPECT_NE(ItemData(*tree, files).FindEntry("zebra.txt"), nullptr);
    EXPECT_EQ(ItemData(*tree, files).FindEntry("apple.txt"), nullptr);

    rename("dates.txt", "zebra.txt");
    rename("dates.txt", "sub/dates.txt");
    EXPECT_EQ(messages.texts, Texts(2, "Failed to rename file"));
    EXPECT_TRUE(OnDisk("files/dates.txt"));

    // Three selected, the second cannot go (a folder took its name meanwhile): one row stays.
    messages.texts.clear();
    fs::remove(drive.Path() / "files/Cherry.txt");
    drive.MakeDir("files/Cherry.txt");
    selectOnly({"Banana.txt", "Cherry.txt", "zebra.txt"});
    Command(ID_FILE_DELETE);
    EXPECT_EQ(messages.texts, Texts{"Failed to delete file"});
    EXPECT_EQ(ListColumn(*list, 0), (Texts{"caf\\xE9.txt", "Cherry.txt", "dates.txt"}));
    EXPECT_EQ(ItemData(*tree, files).m_files.size(), 3u);
    EXPECT_FALSE(OnDisk("files/Banana.txt") || OnDisk("files/zebra.txt"));
}

} // namespace
