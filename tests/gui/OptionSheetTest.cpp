// The "Option Setting" sheet run as the Option command runs it: modal, answered by script the
// way a user would fill it in.

#include "DialogDriving.h"

#include "platform/ui/MessageBox.h"
#include "profiles/Defaults.h"
#include "profiles/OptionSheet.h"
#include "profiles/ProfileDialogIds.h"
#include "profiles/ProfileState.h"
#include "support/GuiTest.h"

#include <gtest/gtest.h>
#include <wx/stattext.h>

#include <functional>
#include <string>
#include <vector>

namespace {

enum { kConnectionPage, kTransferPage, kEmailPage };

class OptionSheetTest : public testing::Test {
protected:
    OptionSheetTest()
    {
        state.connectionType = 0;
        state.transferType = 0;
        state.email = "me@example.org";
    }

    // Runs the Option command's sheet; `user` acts on the opened sheet and returns whether
    // to press OK (true) or Cancel. Returns what the sheet run reports.
    bool Run(const std::function<bool(COptionSheet&)>& user)
    {
        ScopedDialogAnswerer answerer([&](wxDialog* dialog) -> int {
            auto* sheet = dynamic_cast<COptionSheet*>(dialog);
            EXPECT_NE(sheet, nullptr);
            if (!sheet)
                return wxID_CANCEL;
            openedOn = sheet->GetBookCtrl()->GetSelection();
            sheet->InitDialog();
            const bool ok = user(*sheet);
            ClickButton(sheet, ok ? wxID_OK : wxID_CANCEL);
            return sheet->GetReturnCode();
        });
        return RunOptionSheet(nullptr, state);
    }

    // Leaves the next sheet to open on `page`.
    void LeaveOn(int page)
    {
        Run([page](COptionSheet& sheet) {
            ChooseTab(sheet.GetBookCtrl(), page);
            return true;
        });
    }

    ProfileState state;
    int openedOn = -1;
};

TEST_F(OptionSheetTest, ShowsItsThreePagesUnderTheirCaptions)
{
    Run([](COptionSheet& sheet) {
        EXPECT_EQ(sheet.GetTitle(), "Option Setting");
        wxBookCtrlBase* book = sheet.GetBookCtrl();
        EXPECT_EQ(book->GetPageCount(), 3u);
        EXPECT_EQ(book->GetPageText(kConnectionPage), "FTP Connection Type");
        EXPECT_EQ(book->GetPageText(kTransferPage), "Transfer Method");
        EXPECT_EQ(book->GetPageText(kEmailPage), "Email");
        return false;
    });
}

TEST_F(OptionSheetTest, OpensOnThePageLastLeftWithOK)
{
    LeaveOn(kEmailPage);
    Run([](COptionSheet&) { return true; });
    EXPECT_EQ(openedOn, kEmailPage);

    LeaveOn(kTransferPage);
    Run([](COptionSheet&) { return false; });
    EXPECT_EQ(openedOn, kTransferPage);
}

TEST_F(OptionSheetTest, CancellingDoesNotChangeThePageItOpensOn)
{
    LeaveOn(kEmailPage);
    Run([](COptionSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), kConnectionPage);
        return false;
    });
    Run([](COptionSheet&) { return false; });
    EXPECT_EQ(openedOn, kEmailPage);
}

TEST_F(OptionSheetTest, AChangedConnectionTypeIsReportedAndStored)
{
    LeaveOn(kConnectionPage);
    const bool changed = Run([](COptionSheet& sheet) {
        EXPECT_TRUE(IsChecked(&sheet, IDC_LOCAL_REMOTE));
        ClickRadio(&sheet, IDC_REMOTE_REMOTE);
        return true;
    });
    EXPECT_TRUE(changed);
    EXPECT_EQ(state.connectionType, 1);
}

TEST_F(OptionSheetTest, ChangingOnlyTheTransferMethodIsNotReportedAsAConnectionChange)
{
    const bool changed = Run([](COptionSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), kTransferPage);
        EXPECT_TRUE(IsChecked(&sheet, IDC_FTP_BINARY));
        ClickRadio(&sheet, IDC_FTP_ASCII);
        return true;
    });
    EXPECT_FALSE(changed);
    EXPECT_EQ(state.transferType, 1);
    EXPECT_EQ(state.connectionType, 0);
}

TEST_F(OptionSheetTest, CancelChangesNoSetting)
{
    const bool changed = Run([](COptionSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), kConnectionPage);
        ClickRadio(&sheet, IDC_REMOTE_REMOTE);
        ChooseTab(sheet.GetBookCtrl(), kTransferPage);
        ClickRadio(&sheet, IDC_FTP_ASCII);
        ChooseTab(sheet.GetBookCtrl(), kEmailPage);
        TypeText(&sheet, IDC_EMAIL, "new@example.org");
        return false;
    });
    EXPECT_FALSE(changed);
    EXPECT_EQ(state.connectionType, 0);
    EXPECT_EQ(state.transferType, 0);
    EXPECT_EQ(state.email, "me@example.org");
}

TEST_F(OptionSheetTest, TheEmailPageStoresWhatIsTyped)
{
    Run([](COptionSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), kEmailPage);
        EXPECT_EQ(TextOf(&sheet, IDC_EMAIL), "me@example.org");
        TypeText(&sheet, IDC_EMAIL, "new@example.org");
        return true;
    });
    EXPECT_EQ(state.email, "new@example.org");
}

TEST_F(OptionSheetTest, AnEmptyEmailShowsTheBuiltInAddressAndOKSavesIt)
{
    state.email.clear();
    Run([](COptionSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), kEmailPage);
        EXPECT_EQ(TextOf(&sheet, IDC_EMAIL), kDefaultEmail);
        return true;
    });
    EXPECT_EQ(state.email, kDefaultEmail);
}

TEST_F(OptionSheetTest, AnEmptyEmailStaysEmptyWhenItsPageWasNeverShown)
{
    LeaveOn(kConnectionPage);
    state.email.clear();
    Run([](COptionSheet&) { return true; });
    EXPECT_EQ(state.email, "");
}

TEST_F(OptionSheetTest, AnOutOfRangeSettingChecksNoButtonAndIsLeftAsItWas)
{
    LeaveOn(kConnectionPage);
    state.connectionType = 7;
    state.transferType = 5;
    const bool changed = Run([](COptionSheet& sheet) {
        EXPECT_FALSE(IsChecked(&sheet, IDC_LOCAL_REMOTE));
        EXPECT_FALSE(IsChecked(&sheet, IDC_REMOTE_REMOTE));
        ChooseTab(sheet.GetBookCtrl(), kTransferPage);
        EXPECT_FALSE(IsChecked(&sheet, IDC_FTP_BINARY));
        EXPECT_FALSE(IsChecked(&sheet, IDC_FTP_ASCII));
        return true;
    });
    EXPECT_FALSE(changed);
    EXPECT_EQ(state.connectionType, 7);
    EXPECT_EQ(state.transferType, 5);
}

TEST_F(OptionSheetTest, AnOutOfRangeSettingComesBackUnchangedWhenItsPageWasNeverShown)
{
    LeaveOn(kEmailPage);
    state.transferType = 5;
    Run([](COptionSheet&) { return true; });
    EXPECT_EQ(state.transferType, 5);
}

TEST_F(OptionSheetTest, RefusesALineBreakInTheEmail)
{
    std::vector<std::string> messages;
    ScopedMessageBoxAnswerer answerer([&](const std::string& text, long) {
        messages.push_back(text);
        return wxOK;
    });
    Run([](COptionSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), kEmailPage);
        TypeText(&sheet, IDC_EMAIL, "me@example.org\n0\n9");
        ClickButton(&sheet, wxID_OK);
        EXPECT_NE(sheet.GetReturnCode(), wxID_OK);
        return false;
    });
    EXPECT_EQ(messages, std::vector<std::string>{"This field cannot contain a line break."});
    EXPECT_EQ(state.email, "me@example.org");
}

TEST_F(OptionSheetTest, TheTransferMethodPageExplainsBothMethods)
{
    Run([](COptionSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), kTransferPage);
        std::vector<std::string> labels;
        for (wxWindow* child : sheet.GetBookCtrl()->GetPage(kTransferPage)->GetChildren()) {
            if (auto* text = dynamic_cast<wxStaticText*>(child)) {
                wxString label = text->GetLabel();
                label.Replace("\n", " ");
                labels.push_back(label.utf8_string());
            }
        }
        EXPECT_EQ(labels, (std::vector<std::string>{
            "Note:",
            "     The file transfers data using FTP BINARY (Type I) transfer method. The file transfers data "
            "exactly as it exists, with no changes. This is the default transfer method.",
            "     The file transfers using FTP ASCII (Type A) transfer method. Converts control and formatting "
            "information to local equivalents. "}));
        return false;
    });
}

} // namespace
