// New Folder, Rename and Delete through the real window, on a temporary local drive and on real
// FTP hosts (vsftpd and pyftpdlib on 127.0.0.1): what the disk then holds and what the tree and
// the list show, also when the disk or the host refuses.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "ftp/support/ServerTest.h"
#include "platform/localfs/DriveMap.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"
#include "support/PaneHelpers.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;
enum class Place { Local, Vsftpd, Pyftpdlib };

const char* const kDeleteQuestion = "Are you sure want to delete the directory";
const char* const kDeleteDirFailed =
    "Failed to Delete the Directory, you have expand all sub directories in order to delete the directory";

class FileCommandsTest : public testing::TestWithParam<Place> {
protected:
    // The same folder on every place: three files, "alpha" with three files and "deep/x.txt",
    // an empty "Zeta" and "caf\xE9" (a Latin-1 name; pyftpdlib lists such names mangled, so
    // there it is "cafe"). The tree's `base` item shows it.
    void SetUp() override
    {
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        if (GetParam() != Place::Local) {
            server = &SharedServer(GetParam() == Place::Vsftpd ? ServerKind::Vsftpd : ServerKind::Pyftpdlib);
            folder = "commands_" + name;
            dir = server->Root() / folder;
            if (GetParam() == Place::Pyftpdlib)
                odd = oddLabel = "cafe";
        } else {
            drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str());
            localfs::ReloadDriveMap();
            dir = drive.Path() / "work";
        }
        for (const char* file : {"a.txt", "b.txt", "c.txt", "alpha/one.txt", "alpha/two.txt", "alpha/three.txt", "alpha/deep/x.txt"})
            Write(file, file);
        for (const std::string& empty : {std::string("Zeta"), odd})
            server ? static_cast<void>(server->MakeDir(folder + "/" + empty)) : static_cast<void>(drive.MakeDir("work/" + empty));

        frame = &StartApplication();
        const int region = server ? 1 : 0;
        if (server) {
            ScopedConnectAnswers answers({LoopbackProfile(server->Name(), *server, true, "/" + folder)});
            SendCommand(*frame, ID_SERVER_CONNECT);
        }
        tree = frame->GetTree(region);
        list = frame->GetFileList(region);
        base = tree->wxTreeCtrl::GetRootItem();
        if (!server) {
            Select(base = FindChild(*tree, base, "C:"));
            base = FindChild(*tree, base, "work");
        }
        Select(base);
    }

    void TearDown() override
    {
        StopApplication();
        TheApp().CloseRegions();
        drives.reset();
        localfs::ReloadDriveMap();
    }

    void Write(const std::string& relative, const std::string& content)
    {
        server ? static_cast<void>(server->WriteFile(folder + "/" + relative, content))
               : static_cast<void>(drive.WriteFile("work/" + relative, content));
    }
    bool Exists(const std::string& relative) { return fs::exists(fs::symlink_status(dir / relative)); }
    void Select(const wxTreeItemId& item)
    {
        frame->SetActiveView(tree);
        tree->SelectItem(item);
        PumpEvents();
    }
    wxTreeItemId Child(const std::string& label, wxTreeItemId parent = {})
    {
        return FindChild(*tree, parent.IsOk() ? parent : base, label);
    }
    Texts Children(wxTreeItemId item = {}) { return ChildLabels(*tree, item.IsOk() ? item : base); }
    void Command(int id) { SendCommand(*frame, id); }
    // Ends the open label edit as the user does: typing `typed` (none: the field as it stands)
    // and pressing Enter, or Escape.
    template <class Pane> void EndEdit(Pane& pane, std::optional<std::string> typed, bool escape = false)
    {
        wxTextCtrl* field = pane.GetEditControl();
        ASSERT_NE(field, nullptr) << "no label edit is open";
        if (typed)
            field->SetValue(wxString::FromUTF8(*typed));
        if constexpr (std::is_same_v<Pane, FileView>)
            pane.EndEditLabel(escape);
        else
            pane.EndEditLabel(pane.GetSelection(), escape);
        PumpEvents();
    }
    void SelectRows(const Texts& names)
    {
        frame->SetActiveView(list);
        ::SelectRows(*list, names);
    }

    TempDir drive;
    std::unique_ptr<ScopedEnv> drives;
    FtpTestServer* server = nullptr;
    std::string folder;
    fs::path dir;
    CMainFrame* frame = nullptr;
    CBrowserView* tree = nullptr;
    FileView* list = nullptr;
    wxTreeItemId base;
    std::string odd = "caf\xe9";
    std::string oddLabel = "caf\\xE9";
};

TEST_P(FileCommandsTest, FoldersAreMadeAndRenamedOnlyWhereTheDiskOrHostAgrees)
{
    ScopedMessageRecorder messages;
    // Escape leaves the new folder pending, also through a re-read of its parent; a rename
    // then makes it under the name given.
    Command(ID_FILE_NEW_FOLDER);
    EXPECT_EQ(ItemData(*tree, Child("New Folder")).m_bNewFolder, 1);
    EndEdit(*tree, std::nullopt, true);
    Select(base);
    Command(ID_FILE_REFRESH_FOLDER);
    EXPECT_FALSE(Exists("New Folder"));
    Select(Child("New Folder"));
    Command(ID_FILE_RENAME);
    EndEdit(*tree, "  Later ");
    EXPECT_TRUE(fs::is_directory(dir / "Later"));

    // Confirmed untouched it is "New Folder"; a name taken or holding "/" makes nothing.
    for (const char* typed : {"", "New Folder", "x/y"}) {
        Select(base);
        Command(ID_FILE_NEW_FOLDER);
        EndEdit(*tree, *typed ? std::optional<std::string>(typed) : std::nullopt);
    }
    EXPECT_TRUE(fs::is_directory(dir / "New Folder"));
    EXPECT_FALSE(Exists("x"));
    EXPECT_EQ(messages.texts, Texts(2, "Failed to create directory"));
    EXPECT_EQ(Children(), (Texts{"alpha", oddLabel, "Later", "New Folder", "Zeta"}));

    // A case-only rename of a read folder; its unread child then reads through the new path.
    Select(Child("alpha"));
    Command(ID_FILE_RENAME);
    EndEdit(*tree, "ALPHA");
    EXPECT_TRUE(Exists("ALPHA/deep/x.txt"));
    Select(Child("deep", Child("ALPHA")));
    EXPECT_EQ(ListColumn(*list, 0), Texts{"x.txt"});

    // A shown "\xE9" left as it stands keeps the true byte; a taken name is refused.
    for (const auto& [label, typed] : {std::pair{oddLabel, oddLabel + " "}, std::pair{std::string("ALPHA"), std::string("Zeta")}}) {
        Select(Child(label));
        Command(ID_FILE_RENAME);
        EndEdit(*tree, typed);
    }
    EXPECT_TRUE(Exists(odd) && !Exists("caf\\xE9"));
    EXPECT_EQ(messages.texts.size(), 3u);
    EXPECT_EQ(messages.texts.back(), "Failed to rename directory");
    EXPECT_EQ(Children(), (Texts{"ALPHA", oddLabel, "Later", "New Folder", "Zeta"}));

    // The root and the local drives never open an edit field.
    for (wxTreeItemId item = tree->GetItemParent(base); item.IsOk(); item = tree->GetItemParent(item)) {
        Select(item);
        tree->StartRename();
        EXPECT_EQ(tree->GetEditControl(), nullptr);
    }
}

TEST_P(FileCommandsTest, ADirectoryIsDeletedWhenWhollyReadAndStopsAtTheFirstRefusal)
{
    ScopedMessageRecorder messages([](const std::string&) { return wxYES; });
    Select(Child("alpha"));
    Command(ID_FILE_DELETE);
    EXPECT_EQ(messages.texts, (Texts{kDeleteQuestion, kDeleteDirFailed}));
    EXPECT_TRUE(Exists("alpha/deep/x.txt") && Exists("alpha/one.txt"));

    // The second of alpha's files vanishes behind the program's back: deleting it fails there,
    // after "deep" and the first file have gone.
    Command(ID_FILE_EXPAND_ALL);
    Texts stored;
    for (const auto& entry : ItemData(*tree, Child("alpha")).m_files)
        stored.push_back(entry->m_strName);
    ASSERT_EQ(stored.size(), 3u);
    fs::remove(dir / "alpha" / stored[1]);
    messages.texts.clear();
    Command(ID_FILE_DELETE);
    EXPECT_EQ(messages.texts, (Texts{kDeleteQuestion, kDeleteDirFailed}));
    EXPECT_FALSE(Exists("alpha/deep") || Exists("alpha/" + stored[0]));
    EXPECT_TRUE(Exists("alpha/" + stored[2]));
    EXPECT_EQ(Children(Child("alpha")), Texts{});
    Texts left{stored[1], stored[2]};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(ListColumn(*list, 0), left);

    Write("alpha/" + stored[1], "back");
    Command(ID_FILE_DELETE);
    EXPECT_FALSE(Exists("alpha"));
    EXPECT_EQ(Children(), (Texts{oddLabel, "Zeta"}));
}

TEST_P(FileCommandsTest, FilesAreRenamedAndDeletedWithTheirRowsAndEntries)
{
    ScopedMessageRecorder messages;
    for (const auto& [row, typed] : {std::pair{"a.txt", "zebra.txt"}, std::pair{"c.txt", "C.txt"},
                                     std::pair{"b.txt", "zebra.txt"}, std::pair{"b.txt", "sub/b.txt"}}) {
        SelectRows({row});
        Command(ID_FILE_RENAME);
        EndEdit(*list, std::string(typed));
    }
    EXPECT_EQ(messages.texts, Texts(2, "Failed to rename file"));
    EXPECT_EQ(ListColumn(*list, 0), (Texts{"b.txt", "C.txt", "zebra.txt"}));
    EXPECT_TRUE(Exists("zebra.txt") && Exists("C.txt") && Exists("b.txt"));
    EXPECT_FALSE(Exists("a.txt") || Exists("c.txt"));

    // Three selected, the second gone meanwhile: one message, one row and one entry left.
    messages.texts.clear();
    fs::remove(dir / "C.txt");
    SelectRows({"b.txt", "C.txt", "zebra.txt"});
    Command(ID_FILE_DELETE);
    EXPECT_EQ(messages.texts, Texts{"Failed to delete file"});
    EXPECT_EQ(ListColumn(*list, 0), Texts{"C.txt"});
    EXPECT_FALSE(Exists("b.txt") || Exists("zebra.txt"));
    ASSERT_EQ(ItemData(*tree, base).m_files.size(), 1u);
    EXPECT_EQ(ItemData(*tree, base).m_files[0]->m_strName, "C.txt");
}

INSTANTIATE_TEST_SUITE_P(Places, FileCommandsTest, testing::Values(Place::Local, Place::Vsftpd, Place::Pyftpdlib),
                         [](const testing::TestParamInfo<Place>& info) {
                             return std::string(info.param == Place::Local ? "local" : info.param == Place::Vsftpd ? "vsftpd" : "pyftpdlib");
                         });

// Locally, as a user without the right to write in a folder, and with links in the tree.
class LocalDeleteTest : public FileCommandsTest {};

TEST_P(LocalDeleteTest, AReadOnlyFolderStopsTheDeleteAndLinksGoWithoutTheirTargets)
{
    drive.WriteFile("outside/keep.txt", "k");
    fs::create_directory_symlink("../../outside", dir / "alpha/link");
    for (const auto& entry : fs::recursive_directory_iterator(drive.Path()))
        fs::permissions(entry.path(), fs::perms::all, fs::perm_options::add);
    fs::permissions(drive.Path(), fs::perms::all);
    fs::permissions(dir / "alpha/deep", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    ScopedMessageRecorder messages([](const std::string&) { return wxYES; });
    Select(Child("alpha"));
    Command(ID_FILE_EXPAND_ALL);
    EXPECT_EQ(ItemData(*tree, Child("link", Child("alpha"))).m_bListed, 0);
    {
        ScopedUnprivileged nobody;
        if (!nobody.Ready())
            GTEST_SKIP() << nobody.Failure();
        Command(ID_FILE_DELETE);
    }
    EXPECT_EQ(messages.texts.back(), kDeleteDirFailed);
    EXPECT_TRUE(Exists("alpha/deep/x.txt") && Exists("alpha/one.txt"));
    EXPECT_EQ(Children(Child("alpha")), (Texts{"deep", "link"}));

    fs::permissions(dir / "alpha/deep", fs::perms::all);
    Command(ID_FILE_DELETE);
    EXPECT_FALSE(Exists("alpha"));
    EXPECT_TRUE(fs::exists(drive.Path() / "outside/keep.txt"));
}

INSTANTIATE_TEST_SUITE_P(Local, LocalDeleteTest, testing::Values(Place::Local));

} // namespace
