// The main window on a temporary drive: its panes, the command rules, and what the panes show.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserView.h"
#include "browser/FileView.h"
#include "browser/TreeItemRef.h"
#include "platform/localfs/DriveMap.h"
#include "platform/ui/MessageBox.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/GuiTest.h"
#include "support/PaneHelpers.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/aui/auibar.h>
#include <wx/menu.h>
#include <wx/settings.h>

#include <filesystem>

namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        drive.WriteFile("docs/b.txt", "bb");
        drive.WriteFile("docs/a.log", "a");
        drive.WriteFile("docs/c", "ccc");
        drive.MakeDir("docs/old");
        drive.MakeDir("Alpha");
        drive.MakeDir("beta");
        drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str() + ";D=" + second.Str());
        registry = std::make_unique<ScopedEnv>("FERRIX_REGISTRY", (second.Path() / "registry.reg").string());
        localfs::ReloadDriveMap();
        frame = &StartApplication();
        upperTree = frame->GetTree(0);
        upperList = frame->GetFileList(0);
    }

    void TearDown() override
    {
        StopApplication();
        drives.reset();
        registry.reset();
        localfs::ReloadDriveMap();
    }

    // Selects each item along the path in turn, as a user opening folders would; each
    // selection reads its folder.
    void Select(const std::vector<std::string>& path)
    {
        frame->SetActiveView(upperTree);
        std::vector<std::string> prefix;
        for (const std::string& label : path) {
            prefix.push_back(label);
            const wxTreeItemId item = FindPath(*upperTree, prefix);
            ASSERT_TRUE(item.IsOk()) << label;
            upperTree->SelectItem(item);
            PumpEvents();
        }
    }

    TempDir drive;
    TempDir second;
    std::unique_ptr<ScopedEnv> drives;
    std::unique_ptr<ScopedEnv> registry;
    CMainFrame* frame = nullptr;
    CBrowserView* upperTree = nullptr;
    FileView* upperList = nullptr;
};

TEST_F(MainWindowTest, ComesUpWithTwoTreesAndTwoListsAndTheUpperListActive)
{
    EXPECT_EQ(frame->GetTitle(), "Ferrix FTP");
    auto* lowerTree = dynamic_cast<CBrowserView*>(frame->GetPane(1, 0));
    ASSERT_NE(lowerTree, nullptr);
    EXPECT_EQ(dynamic_cast<CBrowserView*>(frame->GetPane(0, 0)), upperTree);
    EXPECT_NE(dynamic_cast<FileView*>(frame->GetPane(0, 1)), nullptr);
    EXPECT_NE(dynamic_cast<FileView*>(frame->GetPane(1, 1)), nullptr);
    EXPECT_EQ(frame->GetActiveView(), frame->GetPane(0, 1));

    EXPECT_EQ(upperTree->GetItemText(upperTree->wxTreeCtrl::GetRootItem()), "Local Machine");
    EXPECT_EQ(ChildLabels(*upperTree, upperTree->wxTreeCtrl::GetRootItem()), (std::vector<std::string>{"C:", "D:"}));
    EXPECT_EQ(TheApp().companyName, "Ferrix Software");
    EXPECT_EQ(TheApp().productName, "Ferrix FTP");
    // The start-up's Connect dialog was cancelled: the lower region is not connected.
    EXPECT_EQ(lowerTree->GetItemText(lowerTree->wxTreeCtrl::GetRootItem()), "Remote Host");
    EXPECT_EQ(lowerTree->m_pConnection, nullptr);

    // Half sizes: both columns and both rows split near the middle.
    const wxSize tree = upperTree->GetSize();
    const wxSize list = upperList->GetSize();
    EXPECT_NEAR(tree.GetWidth(), list.GetWidth(), 16);
    EXPECT_NEAR(tree.GetHeight(), lowerTree->GetSize().GetHeight(), 16);
}

TEST_F(MainWindowTest, TreeCommandsAreOffWhileAFileListIsActive)
{
    for (int id : {ID_FILE_NEW_FOLDER, ID_FILE_EXPAND_ALL, ID_FILE_REFRESH_FOLDER, ID_FILE_REFRESH_ALL})
        EXPECT_FALSE(CommandEnabled(*frame, id)) << id;
    // Delete and Rename follow the list's selection: nothing is selected in an empty list.
    EXPECT_FALSE(CommandEnabled(*frame, ID_FILE_DELETE));
    EXPECT_FALSE(CommandEnabled(*frame, ID_FILE_RENAME));
    for (int id : {ID_SERVER_CONNECT, ID_SERVER_OPTION, ID_VIEW_SESSION_STATUS, ID_APP_ABOUT, ID_APP_EXIT})
        EXPECT_TRUE(CommandEnabled(*frame, id)) << id;
}

TEST_F(MainWindowTest, DeleteAndRenameFollowTheListSelection)
{
    Select({"C:", "docs"});
    frame->SetActiveView(upperList);
    ASSERT_EQ(upperList->GetItemCount(), 3);
    upperList->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    EXPECT_TRUE(CommandEnabled(*frame, ID_FILE_DELETE));
    EXPECT_TRUE(CommandEnabled(*frame, ID_FILE_RENAME));
    upperList->SetItemState(1, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    EXPECT_TRUE(CommandEnabled(*frame, ID_FILE_DELETE));
    EXPECT_FALSE(CommandEnabled(*frame, ID_FILE_RENAME));
}

TEST_F(MainWindowTest, LocalRootSelectedAllowsOnlyRefreshAll)
{
    frame->SetActiveView(upperTree);
    upperTree->SelectItem(upperTree->wxTreeCtrl::GetRootItem());
    PumpEvents();
    for (int id : {ID_FILE_NEW_FOLDER, ID_FILE_EXPAND_ALL, ID_FILE_REFRESH_FOLDER, ID_FILE_DELETE, ID_FILE_RENAME})
        EXPECT_FALSE(CommandEnabled(*frame, id)) << id;
    EXPECT_TRUE(CommandEnabled(*frame, ID_FILE_REFRESH_ALL));

    Select({"C:"});
    for (int id : {ID_FILE_NEW_FOLDER, ID_FILE_EXPAND_ALL, ID_FILE_REFRESH_FOLDER, ID_FILE_REFRESH_ALL})
        EXPECT_TRUE(CommandEnabled(*frame, id)) << id;
    // A drive is never deleted.
    EXPECT_FALSE(CommandEnabled(*frame, ID_FILE_DELETE));
}

TEST_F(MainWindowTest, UnconnectedRemoteTreeIsNotRootedSoItsCommandsAreOff)
{
    CBrowserView* lowerTree = frame->GetTree(1);
    frame->SetActiveView(lowerTree);
    lowerTree->SelectItem(lowerTree->wxTreeCtrl::GetRootItem());
    PumpEvents();
    for (int id : {ID_FILE_NEW_FOLDER, ID_FILE_EXPAND_ALL, ID_FILE_REFRESH_FOLDER, ID_FILE_REFRESH_ALL, ID_FILE_DELETE})
        EXPECT_FALSE(CommandEnabled(*frame, id)) << id;
    EXPECT_EQ(frame->GetFileList(1)->GetItemCount(), 0);
}

TEST_F(MainWindowTest, SelectingADriveReadsItAndFillsTheList)
{
    drive.WriteFile("top.txt", "12345");
    Select({"C:"});
    const wxTreeItemId driveItem = FindPath(*upperTree, {"C:"});
    // Children in case-insensitive order, each unread with its placeholder.
    EXPECT_EQ(ChildLabels(*upperTree, driveItem), (std::vector<std::string>{"Alpha", "beta", "docs"}));
    EXPECT_EQ(ChildLabels(*upperTree, FindPath(*upperTree, {"C:", "docs"})), (std::vector<std::string>{"dummy"}));
    EXPECT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"top.txt"}));
    EXPECT_EQ(ListColumn(*upperList, 1), (std::vector<std::string>{"5"}));
    EXPECT_EQ(upperList->m_hShownDir, driveItem);

    // Expanding afterwards reads nothing more: a file added now does not appear.
    drive.WriteFile("later.txt", "x");
    upperTree->Expand(driveItem);
    PumpEvents();
    EXPECT_EQ(ChildLabels(*upperTree, driveItem).size(), 3u);
}

TEST_F(MainWindowTest, RefreshFolderShowsAFileDeletedBehindTheProgramsBackGone)
{
    Select({"C:", "docs"});
    ASSERT_EQ(upperList->GetItemCount(), 3);
    std::filesystem::remove(drive.Path() / "docs" / "b.txt");
    SendCommand(*frame, ID_FILE_REFRESH_FOLDER);
    EXPECT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"a.log", "c"}));
    EXPECT_EQ(ChildLabels(*upperTree, FindPath(*upperTree, {"C:", "docs"})), (std::vector<std::string>{"old"}));
}

TEST_F(MainWindowTest, ArrangeCommandsActAsARadioGroupAndSortBothLists)
{
    Select({"C:", "docs"});
    // The lower list shows nothing (no host); re-sorting it must still be harmless.
    SendCommand(*frame, ID_ARRANGE_BY_TYPE);
    EXPECT_TRUE(CommandChecked(*frame, ID_ARRANGE_BY_TYPE));
    EXPECT_FALSE(CommandChecked(*frame, ID_ARRANGE_BY_NAME));
    EXPECT_FALSE(CommandChecked(*frame, ID_ARRANGE_BY_DATE));
    // By type: no extension first, then "log", then "txt".
    EXPECT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"c", "a.log", "b.txt"}));

    SendCommand(*frame, ID_ARRANGE_BY_NAME);
    EXPECT_TRUE(CommandChecked(*frame, ID_ARRANGE_BY_NAME));
    EXPECT_FALSE(CommandChecked(*frame, ID_ARRANGE_BY_TYPE));
    EXPECT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"a.log", "b.txt", "c"}));
    EXPECT_EQ(TheApp().arrangeBy, 0);
}

TEST_F(MainWindowTest, ArrangeReSortsTheListOfTheInactiveRegionToo)
{
    Select({"C:", "docs"});
    frame->SetActiveView(frame->GetFileList(1));
    SendCommand(*frame, ID_ARRANGE_BY_TYPE);
    EXPECT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"c", "a.log", "b.txt"}));
}

TEST_F(MainWindowTest, ChoosingTheCheckedArrangeCommandSortsAgainAndASortKeepsTheSelection)
{
    Select({"C:", "docs"});
    SendCommand(*frame, ID_ARRANGE_BY_NAME);
    ASSERT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"a.log", "b.txt", "c"}));
    // Rows shown again in stored order stand unsorted, as after a copy into the folder.
    upperList->ShowFiles(TreeItemRef(upperList->m_hShownDir, upperTree).GetItemData());
    const std::vector<std::string> stored = ListColumn(*upperList, 0);
    frame->SetActiveView(upperList);
    const auto row = [&](const std::string& name) {
        const std::vector<std::string> names = ListColumn(*upperList, 0);
        return static_cast<long>(std::find(names.begin(), names.end(), name) - names.begin());
    };
    upperList->SetItemState(row("b.txt"), wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                            wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);

    SendCommand(*frame, ID_ARRANGE_BY_NAME);
    EXPECT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"a.log", "b.txt", "c"})) << "stored order was "
                                                                                             << ::testing::PrintToString(stored);
    SendCommand(*frame, ID_ARRANGE_BY_TYPE);
    ASSERT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"c", "a.log", "b.txt"}));
    // The file the user picked is still the one selected and focused, wherever it now stands.
    EXPECT_EQ(upperList->GetSelectedCount(), 1);
    EXPECT_EQ(upperList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), row("b.txt"));
    EXPECT_EQ(upperList->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED), row("b.txt"));
    EXPECT_TRUE(CommandEnabled(*frame, ID_FILE_DELETE));
    EXPECT_TRUE(CommandEnabled(*frame, ID_FILE_RENAME));
}

TEST_F(MainWindowTest, ClickingAColumnHeadingChoosesItsArrangement)
{
    Select({"C:", "docs"});
    const auto clickHeading = [&](int column) {
        wxListEvent click(wxEVT_LIST_COL_CLICK, upperList->GetId());
        click.SetEventObject(upperList);
        click.m_col = column;
        upperList->ProcessWindowEvent(click);
    };
    SendCommand(*frame, ID_ARRANGE_BY_TYPE);
    clickHeading(2);   // "Modified"
    EXPECT_EQ(TheApp().arrangeBy, 1);
    EXPECT_TRUE(CommandChecked(*frame, ID_ARRANGE_BY_DATE));
    EXPECT_FALSE(CommandChecked(*frame, ID_ARRANGE_BY_TYPE));
    clickHeading(1);   // "File Size": no arrangement by size, nothing changes
    EXPECT_EQ(TheApp().arrangeBy, 1);
    clickHeading(0);   // "File Name"
    EXPECT_EQ(TheApp().arrangeBy, 0);
    EXPECT_TRUE(CommandChecked(*frame, ID_ARRANGE_BY_NAME));
    EXPECT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"a.log", "b.txt", "c"}));
    // Sizes line up on their last digit.
    wxListItem sizeColumn;
    ASSERT_TRUE(upperList->GetColumn(FileView::kColumnSize, sizeColumn));
    EXPECT_EQ(sizeColumn.GetAlign(), wxLIST_FORMAT_RIGHT);
}

TEST_F(MainWindowTest, HoveringAToolbarButtonShowsItsPromptInTheStatusBar)
{
    wxAuiToolBar* toolBar = nullptr;
    for (wxWindow* child : frame->GetChildren()) {
        if (auto* bar = dynamic_cast<wxAuiToolBar*>(child))
            toolBar = bar;
    }
    ASSERT_NE(toolBar, nullptr);
    wxStatusBar* status = frame->GetStatusBar();
    const auto hover = [&](int id) {
        const wxRect rect = toolBar->GetToolRect(id);
        wxMouseEvent motion(wxEVT_MOTION);
        motion.SetPosition(rect.GetPosition() + rect.GetSize() / 2);
        motion.SetEventObject(toolBar);
        toolBar->ProcessWindowEvent(motion);
    };
    const std::pair<int, std::string> prompts[] = {
        {ID_SERVER_CONNECT, "Connect to remote FTP server"},
        {ID_APP_ABOUT, "Display program information, version number and copyright"},
        {ID_CONTEXT_HELP, "Display help for clicked on buttons, menus and windows"},
        {ID_FILE_REFRESH_ALL, "Fresh the whole tree"}};
    for (const auto& [id, prompt] : prompts) {
        hover(id);
        EXPECT_EQ(status->GetStatusText(0), prompt) << id;
    }
    wxMouseEvent leave(wxEVT_LEAVE_WINDOW);
    leave.SetEventObject(toolBar);
    toolBar->ProcessWindowEvent(leave);
    EXPECT_EQ(status->GetStatusText(0), "For Help, press F1");
}

TEST_F(MainWindowTest, TheActivePaneAloneIsMarked)
{
    const wxColour mark = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    for (int step = 0; step < 4; ++step) {
        SendCommand(*frame, ID_NEXT_PANE);
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 2; ++column) {
                wxWindow* pane = frame->GetPane(row, column);
                EXPECT_EQ(pane->GetParent()->GetBackgroundColour() == mark, pane == frame->GetActiveView())
                    << "step " << step << " cell " << row << "," << column;
            }
        }
    }
}

TEST_F(MainWindowTest, F6AndShiftF6WalkThePanes)
{
    EXPECT_EQ(frame->GetActiveView(), frame->GetPane(0, 1));
    SendCommand(*frame, ID_NEXT_PANE);
    EXPECT_EQ(frame->GetActiveView(), frame->GetPane(1, 0));
    SendCommand(*frame, ID_NEXT_PANE);
    EXPECT_EQ(frame->GetActiveView(), frame->GetPane(1, 1));
    SendCommand(*frame, ID_NEXT_PANE);
    EXPECT_EQ(frame->GetActiveView(), frame->GetPane(0, 0));
    SendCommand(*frame, ID_PREV_PANE);
    EXPECT_EQ(frame->GetActiveView(), frame->GetPane(1, 1));
}

TEST_F(MainWindowTest, RightClickOnEmptyTreeSpaceKeepsThePreviousPaneActive)
{
    Select({"C:", "docs"});
    frame->SetActiveView(upperList);
    CBrowserView* lowerTree = frame->GetTree(1);
    int presented = 0;
    frame->m_contextMenuPresenter = [&](wxMenu& menu, const wxPoint&) {
        ++presented;
        EXPECT_EQ(menu.GetMenuItemCount(), 8u);
        EXPECT_EQ(menu.FindItemByPosition(6)->GetItemLabel(), "Resynch &Folder");
    };
    wxMouseEvent up(wxEVT_RIGHT_UP);
    up.SetPosition(wxPoint(lowerTree->GetClientSize().GetWidth() - 5, lowerTree->GetClientSize().GetHeight() - 5));
    up.SetEventObject(lowerTree);
    lowerTree->ProcessWindowEvent(up);
    frame->m_contextMenuPresenter = nullptr;
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(frame->GetActiveView(), upperList);
}

TEST_F(MainWindowTest, ExpandAllAsksFirstAndReadsTheWholeSubtreeOnYes)
{
    drive.MakeDir("docs/old/older/oldest");
    Select({"C:", "docs"});
    {
        std::string asked;
        ScopedMessageBoxAnswerer no([&](const std::string& text, long) {
            asked = text;
            return wxNO;
        });
        SendCommand(*frame, ID_FILE_EXPAND_ALL);
        EXPECT_EQ(asked, "This is a lengthy process, do you want to continue.");
        EXPECT_FALSE(FindPath(*upperTree, {"C:", "docs", "old", "older"}).IsOk());
    }
    ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
    SendCommand(*frame, ID_FILE_EXPAND_ALL);
    const wxTreeItemId oldest = FindPath(*upperTree, {"C:", "docs", "old", "older", "oldest"});
    ASSERT_TRUE(oldest.IsOk());
    EXPECT_TRUE(upperTree->IsExpanded(FindPath(*upperTree, {"C:", "docs", "old"})));
    EXPECT_EQ(ChildLabels(*upperTree, oldest), std::vector<std::string>{});
}

TEST_F(MainWindowTest, ExpandAllStopsAtALinkThatPointsAboveItself)
{
    std::filesystem::create_directory_symlink(drive.Path() / "docs", drive.Path() / "docs" / "old" / "loop");
    Select({"C:", "docs"});
    ScopedMessageBoxAnswerer yes([](const std::string&, long) { return wxYES; });
    SendCommand(*frame, ID_FILE_EXPAND_ALL);
    const wxTreeItemId loop = FindPath(*upperTree, {"C:", "docs", "old", "loop"});
    ASSERT_TRUE(loop.IsOk());
    // The link is shown, unread, and can still be opened by hand.
    EXPECT_EQ(ChildLabels(*upperTree, loop), std::vector<std::string>{"dummy"});
    upperTree->SelectItem(loop);
    PumpEvents();
    EXPECT_EQ(ListColumn(*upperList, 0), (std::vector<std::string>{"a.log", "b.txt", "c"}));
}

TEST_F(MainWindowTest, OddNamesHugeFilesAndFarTimesAllShow)
{
    const std::string names[] = {"with space.txt", ".hidden", "\xc3\xa9t\xc3\xa9.txt", " leading"};
    for (const std::string& name : names)
        drive.WriteFile("odd/" + name, "x");
    const auto huge = drive.Path() / "odd" / "huge.bin";
    drive.WriteFile("odd/huge.bin", "");
    std::filesystem::resize_file(huge, 5ull * 1024 * 1024 * 1024);
    const auto old = drive.WriteFile("odd/old.txt", "o");
    const auto future = drive.WriteFile("odd/future.txt", "f");
    using namespace std::chrono;
    std::filesystem::last_write_time(old, std::filesystem::file_time_type::clock::now() - hours(24 * 365 * 60));
    std::filesystem::last_write_time(future, std::filesystem::file_time_type::clock::now() + hours(24 * 365 * 40));

    Select({"C:", "odd"});
    const std::vector<std::string> shown = ListColumn(*upperList, 0);
    EXPECT_EQ(shown.size(), 7u);
    const auto row = [&](const std::string& name) {
        auto it = std::find(shown.begin(), shown.end(), name);
        EXPECT_NE(it, shown.end()) << name;
        return it == shown.end() ? -1L : static_cast<long>(it - shown.begin());
    };
    for (const std::string& name : names)
        row(name);
    EXPECT_EQ(upperList->GetItemText(row("huge.bin"), 1), "5368709120");
    const std::string oldText = upperList->GetItemText(row("old.txt"), 2).utf8_string();
    const std::string futureText = upperList->GetItemText(row("future.txt"), 2).utf8_string();
    EXPECT_EQ(oldText.size(), 22u) << oldText;
    EXPECT_EQ(futureText.size(), 22u) << futureText;
}

} // namespace
