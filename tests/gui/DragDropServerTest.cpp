// Dropping files from the local list on the list of a real FTP host (vsftpd and pyftpdlib on
// 127.0.0.1), with the simulated mouse and by the panes' drag functions: new rows at the end
// unsorted, a name replaced once, No and failures inside the batch, a cancel, and a list that
// shows no directory.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserItem.h"
#include "browser/BrowserView.h"
#include "browser/DragState.h"
#include "browser/FileView.h"
#include "ftp/support/ServerTest.h"
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

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

using Texts = std::vector<std::string>;
const char* const kCopyFailed = "Failed to copy file";
const std::string kBig(3 * 10240, 'o');

class DragDropServerTest : public testing::TestWithParam<ServerKind> {
protected:
    void SetUp() override
    {
        server = &SharedServer(GetParam());
        std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        folder = "dnd_" + name;
        for (const char* file : {"aaa.txt", "zzz.txt"})
            server->WriteFile(folder + "/" + file, file);
        server->WriteFile(folder + "/two.txt", "old");
        drive.WriteFile("up/one.txt", kBig);
        drive.WriteFile("up/two.txt", "two, new");
        drive.WriteFile("up/three.txt", "three");
        // No host takes a line break inside a name: this file cannot be uploaded.
        drive.WriteFile("up/x\ny.txt", "newline");

        frame = &StartApplication();
        ASSERT_TRUE(WaitForPanesLaidOut(*frame));
        {
            ScopedConnectAnswers answers({LoopbackProfile(server->Name(), *server, true, "/" + folder)});
            SendCommand(*frame, ID_SERVER_CONNECT);
        }
        upperTree = frame->GetTree(0);
        upperList = frame->GetFileList(0);
        lowerTree = frame->GetTree(1);
        lowerList = frame->GetFileList(1);
        Select(*lowerTree, lowerTree->wxTreeCtrl::GetRootItem());
        Select(*upperTree, FindPath(*upperTree, {"C:"}));
        Select(*upperTree, FindPath(*upperTree, {"C:", "up"}));
    }

    void TearDown() override
    {
        StopApplication();
        TheApp().CloseRegions();
    }

    void Select(CBrowserView& tree, const wxTreeItemId& item)
    {
        frame->SetActiveView(&tree);
        tree.SelectItem(item);
        PumpEvents();
    }
    // Selects the upper list's rows of these names and returns the first one's row.
    long SelectRows(const Texts& names)
    {
        frame->SetActiveView(upperList);
        upperList->SetItemState(-1, 0, wxLIST_STATE_SELECTED);
        const Texts rows = ListColumn(*upperList, 0);
        long first = -1;
        for (const std::string& name : names) {
            const long row = std::find(rows.begin(), rows.end(), name) - rows.begin();
            upperList->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
            first = first < 0 ? row : std::min(first, row);
        }
        return first;
    }
    void DropOnLowerList(const Texts& names)
    {
        ASSERT_TRUE(upperList->BeginListDrag(SelectRows(names)));
        lowerList->DropOnList();
    }
    std::string Remote(const std::string& name) { return server->ReadFile(folder + "/" + name); }
    const DragState& Drag() { return TheApp().m_drag; }

    FtpTestServer* server = nullptr;
    std::string folder;
    ScopedLocalDrive localDrive;
    TempDir& drive = localDrive.folder;
    CMainFrame* frame = nullptr;
    CBrowserView* upperTree = nullptr;
    FileView* upperList = nullptr;
    CBrowserView* lowerTree = nullptr;
    FileView* lowerList = nullptr;
};

} // namespace

TEST_P(DragDropServerTest, FilesDroppedOnTheHostsListArriveAtItsEnd)
{
    ASSERT_EQ(ListColumn(*lowerList, 0), (Texts{"aaa.txt", "two.txt", "zzz.txt"}))
        << StatusText(*frame);
    int overwriteAnswer = wxNO;
    bool cancelAtQuestion = false;
    ScopedMessageRecorder messages([&](const std::string& text) {
        if (text == kOverwriteQuestion && cancelAtQuestion) {
            for (wxWindow* window : wxTopLevelWindows) {
                if (auto* dialog = dynamic_cast<CCopyProgressDlg*>(window)) {
                    wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
                    dialog->GetEventHandler()->AddPendingEvent(click);
                }
            }
            wxMilliSleep(2 * CCopyProgressDlg::kPumpInterval.count());
        }
        return text == kOverwriteQuestion ? overwriteAnswer : wxOK;
    });
    int beeps = 0;
    ScopedMessageBeepListener listen([&] { ++beeps; });

    // The user drags all four files with the mouse onto the host's list. The file the host
    // has already stays (No), the one no host takes fails alone, the others arrive.
    frame->Raise();
    const long first = SelectRows({"one.txt", "three.txt", "two.txt", "x\\x0Ay.txt"});
    ASSERT_EQ(first, 0);
    const bool dragged = MouseDrag(
        [&] { return ScreenPointOf(*upperList, first); }, [&] { return ScreenPointOf(*lowerList); },
        [&] { return Drag().active == 1; },
        [&] { return wxWindow::GetCapture() == lowerList->GetMainWindowOfCompositeControl(); },
        [&] { return Drag().active == 0 && !CFileTransfer::IsBatchRunning(); });
    EXPECT_TRUE(dragged);
    EXPECT_EQ(messages.texts, (Texts{kOverwriteQuestion, kCopyFailed}));
    EXPECT_EQ(Remote("one.txt"), kBig);
    EXPECT_EQ(Remote("three.txt"), "three");
    EXPECT_EQ(Remote("two.txt"), "old");
    EXPECT_FALSE(server->Exists(folder + "/x\ny.txt"));
    EXPECT_EQ(ListColumn(*lowerList, 0), (Texts{"aaa.txt", "two.txt", "zzz.txt", "one.txt", "three.txt"}));
    EXPECT_EQ(ListColumn(*lowerList, 1)[3], "30720");
    EXPECT_EQ(beeps, 0);

    // Yes replaces it: the name is listed once, at the end.
    overwriteAnswer = wxYES;
    DropOnLowerList({"two.txt"});
    EXPECT_EQ(Remote("two.txt"), "two, new");
    EXPECT_EQ(ListColumn(*lowerList, 0), (Texts{"aaa.txt", "zzz.txt", "one.txt", "three.txt", "two.txt"}));

    // A cancel during a replacement keeps the host's file and its row; the batch stops there.
    messages.texts.clear();
    drive.WriteFile("up/one.txt", std::string(3 * 10240, 'n'));
    cancelAtQuestion = true;
    DropOnLowerList({"one.txt", "three.txt"});
    EXPECT_EQ(messages.texts, Texts{kOverwriteQuestion});
    EXPECT_EQ(Remote("one.txt"), kBig);
    EXPECT_EQ(ListColumn(*lowerList, 0), (Texts{"aaa.txt", "zzz.txt", "one.txt", "three.txt", "two.txt"}));
    cancelAtQuestion = false;

    // Right after its tree was rooted again the list shows no directory: nothing starts.
    messages.texts.clear();
    // (The local file changes, not the host's: the host's files belong to the server's account.)
    drive.WriteFile("up/three.txt", "three, changed");
    lowerTree->RefreshAll();
    ASSERT_FALSE(lowerList->m_hShownDir.IsOk());
    DropOnLowerList({"three.txt"});
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(Remote("three.txt"), "three");
    EXPECT_EQ(Drag().active, 0);
    PumpEvents();
}

INSTANTIATE_TEST_SUITE_P(Servers, DragDropServerTest, testing::Values(ServerKind::Vsftpd, ServerKind::Pyftpdlib),
                         [](const testing::TestParamInfo<ServerKind>& info) {
                             return info.param == ServerKind::Vsftpd ? std::string("Vsftpd") : std::string("Pyftpdlib");
                         });
