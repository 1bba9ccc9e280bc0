// Copying by drag and drop on a temporary local drive, through the real window: which drops
// are refused with a beep, what a directory drop copies and how the tree shows it, a failing
// file and a cancel inside a batch, and that nothing else can start while a batch runs. Both
// by the panes' own drag functions and with the simulated mouse.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/DragState.h"
#include "browser/FileView.h"
#include "net/CopyProgressDlg.h"
#include "net/FileTransfer.h"
#include "platform/ui/MessageBeep.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/Connecting.h"
#include "support/GuiTest.h"
#include "support/LocalDrive.h"
#include "support/MouseInput.h"
#include "support/PaneHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/utils.h>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;
const char* const kCopyFailed = "Failed to copy file";
const char* const kCreateFailed = "Failed to create directory";
// Three blocks of the copy: a cancel seen after the first leaves part of the file.
const std::string kBig(3 * 10240, 'B');

// Every file below `root`, by relative path, with its content.
std::map<std::string, std::string> Files(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string relative = fs::relative(entry.path(), root).string();
        files[relative] = entry.is_directory() ? "<dir>" : ReadFileText(entry.path());
    }
    return files;
}

class DragDropTest : public testing::Test {
protected:
    void SetUp() override
    {
        drive.WriteFile("src/a.txt", "alpha");
        drive.WriteFile("src/empty.bin", "");
        drive.MakeDir("src/with space");
        drive.WriteFile("src/sub/b.txt", "beta");
        drive.WriteFile("src/sub/deeper/c.txt", "gamma");
        drive.WriteFile("src/caf\xe9/n\xe9.txt", "latin-1 names");
        drive.WriteFile("dst/existing.txt", "kept");
        frame = &StartApplication();
        ASSERT_TRUE(WaitForPanesLaidOut(*frame));
        tree = frame->GetTree(0);
        list = frame->GetFileList(0);
        driveItem = FindPath(*tree, {"C:"});
        Select(driveItem);
    }

    void TearDown() override
    {
        StopApplication();
    }

    void Select(const wxTreeItemId& item)
    {
        frame->SetActiveView(tree);
        tree->SelectItem(item);
        PumpEvents();
    }
    wxTreeItemId Item(const Texts& labels)
    {
        Texts path{"C:"};
        path.insert(path.end(), labels.begin(), labels.end());
        return FindPath(*tree, path);
    }
    // Drags `labels`' directory and drops it at `point` of `tree` (client coordinates).
    bool DragTo(const Texts& labels, const wxPoint& point)
    {
        if (!tree->BeginTreeDrag(tree->Ref(Item(labels))))
            return false;
        tree->TrackDrag(point);
        tree->DropOnTree(point);
        return true;
    }
    bool DragOnto(const Texts& labels, const Texts& target)
    {
        return DragTo(labels, LabelClientPoint(*tree, Item(target)));
    }
    const DragState& Drag() { return TheApp().m_drag; }

    ScopedLocalDrive localDrive;
    TempDir& drive = localDrive.folder;
    CMainFrame* frame = nullptr;
    CBrowserView* tree = nullptr;
    FileView* list = nullptr;
    wxTreeItemId driveItem;
};

} // namespace

TEST_F(DragDropTest, RefusedDropsBeepAndCopyNothing)
{
    int beeps = 0;
    ScopedMessageBeepListener listen([&] { ++beeps; });
    ScopedMessageRecorder messages;
    Select(Item({"src"}));
    Select(Item({"src", "sub"}));
    const auto before = Files(drive.Path());

    // Onto itself, into its own subtree, onto the directory it is in, onto the "Local Machine"
    // root, and released outside every pane.
    const wxPoint outside = tree->ScreenToClient(frame->GetScreenPosition() - wxSize(0, 40));
    const std::vector<std::pair<const char*, std::function<bool()>>> refused = {
        {"itself", [&] { return DragOnto({"src"}, {"src"}); }},
        {"own subtree", [&] { return DragOnto({"src"}, {"src", "sub", "deeper"}); }},
        {"own parent", [&] { return DragOnto({"src", "sub"}, {"src"}); }},
        {"local root", [&] { return DragTo({"src"}, LabelClientPoint(*tree, tree->wxTreeCtrl::GetRootItem())); }},
        {"outside", [&] { return DragTo({"src"}, outside); }},
        // A directory from a tree is never dropped on a file list; nor is anything on a list
        // whose tree has no host.
        {"own list", [&] { return tree->BeginTreeDrag(tree->Ref(Item({"src"}))) && list->DropOnList(); }},
        {"unrooted list", [&] { return tree->BeginTreeDrag(tree->Ref(Item({"src"}))) && frame->GetFileList(1)->DropOnList(); }},
    };
    for (const auto& [what, drop] : refused) {
        const int beepsBefore = beeps;
        EXPECT_TRUE(drop()) << what;
        EXPECT_EQ(beeps, beepsBefore + 1) << what;
        EXPECT_EQ(Drag().active, 0) << what;
        EXPECT_EQ(Drag().sourcePane, nullptr) << what;
        EXPECT_FALSE(Drag().dragImage) << what;
        EXPECT_FALSE(tree->GetDropHighlight().IsOk()) << what;
        EXPECT_EQ(wxWindow::GetCapture(), nullptr) << what;
    }
    EXPECT_EQ(Files(drive.Path()), before);
    EXPECT_TRUE(messages.texts.empty());

    // Nothing to drag: the "Local Machine" root, a drive, and a "Remote Host" without a host.
    CBrowserView& lower = *frame->GetTree(1);
    EXPECT_FALSE(tree->BeginTreeDrag(tree->Ref(tree->wxTreeCtrl::GetRootItem())));
    EXPECT_FALSE(tree->BeginTreeDrag(tree->Ref(driveItem)));
    EXPECT_FALSE(lower.BeginTreeDrag(lower.Ref(lower.wxTreeCtrl::GetRootItem())));
    EXPECT_EQ(Drag().active, 0);
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);

    // Files dropped on the directory they are in, in their own tree, or on their own list.
    Select(Item({"src"}));
    list->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    for (int attempt = 0; attempt < 2; ++attempt) {
        ASSERT_TRUE(list->BeginListDrag(0));
        EXPECT_EQ(Drag().sourcePaneNumber, 2);
        attempt == 0 ? tree->DropOnTree(LabelClientPoint(*tree, Item({"src"}))) : list->DropOnList();
    }
    EXPECT_EQ(beeps, static_cast<int>(refused.size()) + 2);
    EXPECT_EQ(Files(drive.Path()), before);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(DragDropTest, ADirectoryIsCopiedWholeIntoAnotherAndShownThere)
{
    ScopedMessageRecorder messages;
    int beeps = 0;
    ScopedMessageBeepListener listen([&] { ++beeps; });
    Select(Item({"dst"}));
    const wxPoint target = LabelClientPoint(*tree, Item({"dst"}));
    ASSERT_TRUE(tree->BeginTreeDrag(tree->Ref(Item({"src"}))));
    EXPECT_EQ(Drag().sourcePaneNumber, 0);
    EXPECT_EQ(wxWindow::GetCapture(), tree);
    // Outside every pane the cursor says no; back over a pane it is the arrow again.
    tree->TrackDrag(LabelClientPoint(*tree, Item({"src"})));
    tree->TrackDrag(tree->ScreenToClient(frame->GetScreenPosition() - wxSize(0, 40)));
    EXPECT_TRUE(tree->GetCursor().IsSameAs(g_noDropCursor));
    EXPECT_EQ(tree->GetDropHighlight(), Item({"src"})) << "the mark stays until the drag moves on";
    EXPECT_FALSE(Drag().targetItem.IsOk());
    tree->TrackDrag(target);
    EXPECT_TRUE(tree->GetCursor().IsSameAs(g_arrowCursor));
    EXPECT_EQ(tree->GetDropHighlight(), Item({"dst"}));
    EXPECT_EQ(Drag().targetItem, Item({"dst"}));
    ASSERT_TRUE(Drag().dragImage);
    EXPECT_TRUE(Drag().dragImage->IsShown());
    EXPECT_TRUE(Drag().dragImage->GetScreenRect().Contains(tree->ClientToScreen(target)));
    tree->DropOnTree(target);

    // Byte for byte, with the empty folder, the empty file and the name that is no UTF-8.
    auto copied = Files(drive.Path() / "dst/src");
    EXPECT_EQ(copied, Files(drive.Path() / "src"));
    EXPECT_EQ(copied.count("caf\xe9/n\xe9.txt"), 1u);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(beeps, 0);
    EXPECT_EQ(Drag().active, 0);
    EXPECT_FALSE(tree->GetDropHighlight().IsOk());

    // The tree shows the copy read, sorted among the target's children; the files have rows.
    EXPECT_EQ(ChildLabels(*tree, Item({"dst"})), Texts{"src"});
    EXPECT_EQ(ChildLabels(*tree, Item({"dst", "src"})), (Texts{"caf\\xE9", "sub", "with space"}));
    EXPECT_EQ(ChildLabels(*tree, Item({"dst", "src", "sub"})), Texts{"deeper"});
    EXPECT_EQ(ItemData(*tree, Item({"dst", "src", "sub", "deeper"})).m_bListed, 1);
    Select(Item({"dst", "src"}));
    Texts names = ListColumn(*list, 0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Texts{"a.txt", "empty.bin"}));
    ASSERT_NE(ItemData(*tree, Item({"dst", "src"})).FindEntry("empty.bin"), nullptr);
    EXPECT_EQ(ItemData(*tree, Item({"dst", "src"})).FindEntry("empty.bin")->m_strSize, "0");

    // Again onto the same target: the directory exists, nothing is copied into it.
    drive.WriteFile("src/late.txt", "not copied");
    DragOnto({"src"}, {"dst"});
    EXPECT_EQ(messages.texts, Texts{kCreateFailed});
    EXPECT_FALSE(fs::exists(drive.Path() / "dst/src/late.txt"));
    EXPECT_EQ(ChildLabels(*tree, Item({"dst"})), Texts{"src"});
}

TEST_F(DragDropTest, FilesGoToTheEndOfTheTargetAndAReplacedNameIsListedOnce)
{
    int questions = 0;
    // Replace a.txt, keep empty.bin.
    ScopedMessageRecorder messages([&](const std::string& text) {
        return text == kOverwriteQuestion && ++questions == 1 ? wxYES : wxNO;
    });
    Select(Item({"dst"}));
    Select(Item({"src"}));
    const auto dropFiles = [&] {
        for (long row = 0; row < 2; ++row)
            list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        ASSERT_TRUE(list->BeginListDrag(1));
        EXPECT_EQ(Drag().names, (Texts{"a.txt", "empty.bin"}));
        tree->DropOnTree(LabelClientPoint(*tree, Item({"dst"})));
    };
    const auto entries = [&] {
        Texts names;
        for (const auto& entry : ItemData(*tree, Item({"dst"})).m_files)
            names.push_back(entry->m_strName);
        return names;
    };
    dropFiles();
    EXPECT_EQ(entries(), (Texts{"existing.txt", "a.txt", "empty.bin"}));
    EXPECT_TRUE(messages.texts.empty());

    drive.WriteFile("src/a.txt", "changed");
    drive.WriteFile("src/empty.bin", "not empty any more");
    dropFiles();
    EXPECT_EQ(messages.texts, Texts(2, kOverwriteQuestion));
    EXPECT_EQ(entries(), (Texts{"existing.txt", "empty.bin", "a.txt"}));
    EXPECT_EQ(ReadFileText(drive.Path() / "dst/a.txt"), "changed");
    EXPECT_EQ(ReadFileText(drive.Path() / "dst/empty.bin"), "");
    ASSERT_NE(ItemData(*tree, Item({"dst"})).FindEntry("a.txt"), nullptr);
    EXPECT_EQ(ItemData(*tree, Item({"dst"})).FindEntry("a.txt")->m_strSize, "7");

    // A name that is no UTF-8 is copied by its bytes, not by the text the row shows.
    drive.WriteFile("src/z\xe9.txt", "latin-1");
    Select(Item({"src"}));
    tree->RefreshFolder();
    ASSERT_EQ(ListColumn(*list, 0).back(), "z\\xE9.txt");
    list->SetItemState(2, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    ASSERT_TRUE(list->BeginListDrag(2));
    tree->DropOnTree(LabelClientPoint(*tree, Item({"dst"})));
    EXPECT_EQ(ReadFileText(drive.Path() / "dst/z\xe9.txt"), "latin-1");
    EXPECT_EQ(entries().back(), "z\xe9.txt");
}

TEST_F(DragDropTest, AFailedFileIsReportedAndACancelStopsAllThatFollows)
{
    // "gone.txt" is listed, then deleted before the copy; below it "a" and "b" each hold a
    // file of three blocks, copied after the directory's own files, in label order.
    drive.WriteFile("batch/gone.txt", "listed, then deleted");
    drive.WriteFile("batch/a/first.bin", kBig);
    drive.WriteFile("batch/b/second.bin", kBig);
    drive.MakeDir("out1");
    drive.MakeDir("out2");
    Select(driveItem);
    tree->RefreshFolder();
    Select(Item({"batch"}));
    fs::remove(drive.Path() / "batch/gone.txt");

    // A failure is said once for its file, and the batch goes on. While the batch runs, a
    // second drag is refused with a beep, the commands that change trees, lists or connections
    // are off, and the panes neither rename nor change their selection.
    int beeps = 0;
    ScopedMessageBeepListener listen([&] { ++beeps; });
    bool checkedDuringBatch = false;
    {
        ScopedMessageRecorder messages([&](const std::string&) {
            checkedDuringBatch = true;
            EXPECT_TRUE(CFileTransfer::IsBatchRunning());
            frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
            for (int id : {ID_FILE_REFRESH_ALL, ID_FILE_NEW_FOLDER, ID_FILE_DELETE, ID_FILE_RENAME, ID_SERVER_CONNECT})
                EXPECT_FALSE(CommandEnabled(*frame, id)) << id;
            EXPECT_FALSE(tree->BeginTreeDrag(tree->Ref(Item({"dst"}))));
            EXPECT_FALSE(list->BeginListDrag(0));
            EXPECT_EQ(beeps, 2);
            const wxTreeItemId selected = tree->GetSelection();
            tree->SelectItem(Item({"dst"}));
            EXPECT_EQ(tree->GetSelection(), selected);
            tree->EditLabel(Item({"dst"}));
            EXPECT_EQ(tree->GetEditControl(), nullptr);
            list->EditLabel(0);
            EXPECT_EQ(list->GetEditControl(), nullptr);
            return wxOK;
        });
        DragOnto({"batch"}, {"out1"});
        EXPECT_EQ(messages.texts, Texts{kCopyFailed});
    }
    EXPECT_TRUE(checkedDuringBatch);
    EXPECT_EQ(Files(drive.Path() / "out1/batch"),
              (std::map<std::string, std::string>{{"a", "<dir>"}, {"a/first.bin", kBig}, {"b", "<dir>"}, {"b/second.bin", kBig}}));
    EXPECT_TRUE(ItemData(*tree, Item({"out1", "batch"})).m_files.empty());

    // The user cancels while the next file is being copied: that file keeps what arrived and
    // is listed as it is; nothing after it is copied, not even the next directory.
    {
        ScopedMessageRecorder messages([&](const std::string&) {
            for (wxWindow* window : wxTopLevelWindows) {
                if (auto* dialog = dynamic_cast<CCopyProgressDlg*>(window)) {
                    wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
                    dialog->GetEventHandler()->AddPendingEvent(click);
                }
            }
            // The dialog looks at the window at most once per interval: after this wait, at
            // the next file's first block.
            wxMilliSleep(2 * CCopyProgressDlg::kPumpInterval.count());
            return wxOK;
        });
        DragOnto({"batch"}, {"out2"});
        EXPECT_EQ(messages.texts, Texts{kCopyFailed});
    }
    EXPECT_EQ(Files(drive.Path() / "out2/batch"),
              (std::map<std::string, std::string>{{"a", "<dir>"}, {"a/first.bin", std::string(10240, 'B')}}));
    EXPECT_EQ(ChildLabels(*tree, Item({"out2", "batch"})), Texts{"a"});
    const BrowserItem& partial = ItemData(*tree, Item({"out2", "batch", "a"}));
    ASSERT_EQ(partial.m_files.size(), 1u);
    EXPECT_EQ(partial.m_files[0]->m_strName, "first.bin");
    EXPECT_EQ(partial.m_files[0]->m_strSize, "10240");
    EXPECT_FALSE(CFileTransfer::IsBatchRunning());
    EXPECT_EQ(Drag().active, 0);
}

TEST_F(DragDropTest, AUserDragsAFolderWithTheMouseAndCannotStartAnotherDuringTheCopy)
{
    drive.WriteFile("src/zz/big.bin", kBig);
    frame->Raise();
    Select(Item({"dst"}));
    Select(Item({"src"}));
    int beeps = 0;
    ScopedMessageBeepListener listen([&] { ++beeps; });
    bool imageFollowed = false;
    bool triedDuringBatch = false;
    // In the middle of the batch the user tries to drag the drive: refused.
    ScopedMessageRecorder messages([&](const std::string&) { return wxOK; });
    const wxTreeItemId dst = Item({"dst"});
    const auto idle = [&] { return Drag().active == 0 && !CFileTransfer::IsBatchRunning(); };
    auto tryDuringBatch = [&](wxIdleEvent& event) {
        event.Skip();
        if (triedDuringBatch || !CFileTransfer::IsBatchRunning())
            return;
        triedDuringBatch = true;
        const auto drive = [&] { return LabelScreenPoint(*tree, tree->GetItemParent(dst)); };
        EXPECT_TRUE(MouseDrag(drive, [&] { return drive() + wxSize(0, 60); }, [&] { return beeps > 0; },
                              [] { return true; }, [] { return true; }));
    };
    frame->Bind(wxEVT_IDLE, tryDuringBatch);
    const bool dragged = MouseDrag(
        [&] { return LabelScreenPoint(*tree, Item({"src"})); }, [&] { return LabelScreenPoint(*tree, dst); },
        [&] { return Drag().active == 1; },
        [&] {
            imageFollowed = imageFollowed || (Drag().dragImage && Drag().dragImage->IsShown());
            return tree->GetDropHighlight() == dst;
        },
        idle);
    frame->Unbind(wxEVT_IDLE, tryDuringBatch);
    EXPECT_TRUE(dragged);
    EXPECT_TRUE(imageFollowed);
    EXPECT_TRUE(triedDuringBatch);
    EXPECT_EQ(beeps, 1) << "the second drag is refused once, with a beep";
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(Files(drive.Path() / "dst/src"), Files(drive.Path() / "src"));
    EXPECT_EQ(ChildLabels(*tree, dst), Texts{"src"});
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}
