// The "Copying..." dialog over the real main window: what it shows during a copy, the three
// ways to cancel, and the window's commands and close while a batch runs.

#include "app/MainFrame.h"
#include "app/NorvoApp.h"
#include "browser/BrowserView.h"
#include "net/CopyProgressDlg.h"
#include "net/FileTransfer.h"
#include "platform/localfs/DriveMap.h"
#include "res/Resource.h"
#include "support/Commands.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/stattext.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <filesystem>

namespace {

class CopyProgressTest : public testing::Test {
protected:
    void SetUp() override
    {
        drive.WriteFile("small.bin", std::string(25000, 's'));
        drive.WriteFile("big.bin", std::string(20 * 10240, 'b'));
        drive.MakeDir("out");
        drives = std::make_unique<ScopedEnv>("FERRIX_DRIVES", "C=" + drive.Str());
        localfs::ReloadDriveMap();
        frame = &StartApplication();
        frame->SetActiveView(frame->GetTree(0));
    }

    void TearDown() override
    {
        StopApplication();
        drives.reset();
        localfs::ReloadDriveMap();
    }

    // A batch with its dialog, as a drop starts one.
    CCopyProgressDlg* Open(CFileTransfer& transfer)
    {
        auto* dialog = new CCopyProgressDlg(frame);
        transfer.AttachDialog(dialog);
        return dialog;
    }

    // The dialog pumps at most once per interval; after this wait its next pump runs for sure.
    static void WaitForNextPump() { wxMilliSleep(2 * CCopyProgressDlg::kPumpInterval.count()); }

    static std::string Text(wxWindow& dialog, int id)
    {
        auto* text = dynamic_cast<wxStaticText*>(dialog.FindWindow(id));
        return text ? text->GetLabel().utf8_string() : "<missing>";
    }

    TempDir drive;
    std::unique_ptr<ScopedEnv> drives;
    CMainFrame* frame = nullptr;
};

}  // namespace

TEST_F(CopyProgressTest, ShowsTheCopyCentredAndCancelsFromItsButton)
{
    const int guarded[] = {ID_FILE_REFRESH_ALL, ID_SERVER_CONNECT, ID_SERVER_OPTION};
    for (int id : guarded)
        EXPECT_TRUE(CommandEnabled(*frame, id)) << id;
    {
        CFileTransfer transfer(nullptr, nullptr);
        wxWeakRef<wxDialog> dialog(Open(transfer));
        EXPECT_EQ(dialog->GetTitle(), "Copying...");
        EXPECT_TRUE(dialog->IsShown());
        const wxRect owner = frame->GetScreenRect();
        const wxRect own = dialog->GetScreenRect();
        EXPECT_NEAR(own.x + own.width / 2, owner.x + owner.width / 2, 2);
        EXPECT_NEAR(own.y + own.height / 2, owner.y + owner.height / 2, 2);
        EXPECT_EQ(Text(*dialog, IDC_STATUS_TEXT), "");
        // While the batch runs nothing may pull the trees or connections away from it.
        for (int id : guarded)
            EXPECT_FALSE(CommandEnabled(*frame, id)) << id;

        EXPECT_EQ(transfer.CopyFile("C:/small.bin", "C:/out/small.bin"), Copied);
        EXPECT_EQ(Text(*dialog, IDC_SOURCE_TEXT), "C:/small.bin");
        EXPECT_EQ(Text(*dialog, IDC_DESTINATION_TEXT), "C:/out/small.bin");
        // The first block is painted at once; later ones follow the screen's pace.
        EXPECT_EQ(Text(*dialog, IDC_STATUS_TEXT).substr(0, 10), "10K of 24K");
        EXPECT_EQ(Text(*dialog, IDC_TIME_LEFT_TEXT).substr(0, 8), "00:00:00");

        // The user presses Cancel while the first block of the next file is written.
        wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
        dialog->GetEventHandler()->AddPendingEvent(click);
        WaitForNextPump();
        EXPECT_EQ(transfer.CopyFile("C:/big.bin", "C:/out/big.bin"), Cancelled);
        EXPECT_EQ(std::filesystem::file_size(drive.Path() / "out/big.bin"), 10240U);
        EXPECT_EQ(transfer.CopyFile("C:/small.bin", "C:/out/other.bin"), Cancelled);
        transfer.Finish();
        PumpEvents();
        EXPECT_FALSE(dialog) << "the dialog is gone";
    }
    for (int id : guarded)
        EXPECT_TRUE(CommandEnabled(*frame, id)) << id;
}

TEST_F(CopyProgressTest, EscapeAndTheCloseBoxCancelAndFinishDoesNot)
{
    {
        CFileTransfer transfer(nullptr, nullptr);
        wxWeakRef<wxDialog> dialog(Open(transfer));
        wxKeyEvent escape(wxEVT_CHAR_HOOK);
        escape.m_keyCode = WXK_ESCAPE;
        dialog->GetEventHandler()->ProcessEvent(escape);
        EXPECT_TRUE(transfer.CancelRequested());
        PumpEvents();
        EXPECT_FALSE(dialog);
    }
    {
        CFileTransfer transfer(nullptr, nullptr);
        wxWeakRef<wxDialog> dialog(Open(transfer));
        dialog->Close();
        EXPECT_TRUE(transfer.CancelRequested());
        EXPECT_EQ(transfer.CopyFile("C:/small.bin", "C:/out/small.bin"), Cancelled);
        PumpEvents();
        EXPECT_FALSE(dialog);
    }
    CFileTransfer transfer(nullptr, nullptr);
    wxWeakRef<wxDialog> dialog(Open(transfer));
    EXPECT_EQ(transfer.CopyFile("C:/small.bin", "C:/out/small.bin"), Copied);
    transfer.Finish();
    PumpEvents();
    EXPECT_FALSE(dialog);
    EXPECT_FALSE(transfer.CancelRequested());
}

TEST_F(CopyProgressTest, ClosingTheWindowDuringACopyCancelsItFirst)
{
    // The second close, the one that would end the program, is held here so that the test's
    // application lives on; it must come only after the batch ended.
    int closes = 0;
    bool closedDuringBatch = false;
    auto holdClose = [&](wxCloseEvent& event) {
        ++closes;
        if (CFileTransfer::IsBatchRunning()) {
            closedDuringBatch = true;
            event.Skip();
            return;
        }
        event.Veto();
    };
    frame->Bind(wxEVT_CLOSE_WINDOW, holdClose);
    {
        CFileTransfer transfer(nullptr, nullptr);
        wxWeakRef<wxDialog> dialog(Open(transfer));
        frame->CallAfter([this] { frame->Close(); });
        WaitForNextPump();
        EXPECT_EQ(transfer.CopyFile("C:/big.bin", "C:/out/big.bin"), Cancelled);
        EXPECT_TRUE(closedDuringBatch);
        EXPECT_EQ(closes, 1);
        EXPECT_TRUE(frame->IsShown());
        transfer.Finish();
    }
    PumpEvents();
    EXPECT_EQ(closes, 2) << "the window closes once the batch has ended";
    frame->Unbind(wxEVT_CLOSE_WINDOW, holdClose);
}
