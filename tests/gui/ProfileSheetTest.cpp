// The "Host Profile" sheet: its pages, the Anonymous and Use Default behaviour, port
// validation, trimming and the empty-name message, driven on the real windows.

#include "DialogDriving.h"

#include "platform/ui/MessageBox.h"
#include "profiles/DirectoryPage.h"
#include "profiles/HostProfileSheet.h"
#include "profiles/ProfileDialogIds.h"
#include "profiles/ProfilePage.h"
#include "support/GuiTest.h"

#include <gtest/gtest.h>
#include <wx/stattext.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kEmail = "me@example.org";

class ProfileSheetTest : public testing::Test {
protected:
    ProfileSheetTest()
        : m_answerer([this](const std::string& text, long) {
              messages.push_back(text);
              return wxOK;
          })
    {
    }

    // Opens the sheet modelessly, as the user sees it: on its first page, filled.
    CHostProfileSheet& Open(const HostProfile& profile)
    {
        // A dialog created without a parent takes the active one as parent: the old sheet
        // goes first, or it would take the new one with it.
        sheet.reset();
        sheet = std::make_unique<CHostProfileSheet>(nullptr, profile, kEmail);
        sheet->Show();
        PumpEvents();
        return *sheet;
    }

    bool PressOK()
    {
        sheet->SetReturnCode(0);
        ClickButton(sheet.get(), wxID_OK);
        PumpEvents();
        return sheet->GetReturnCode() == wxID_OK;
    }

    bool PasswordMasked() const
    {
        return ControlOf<wxTextCtrl>(sheet.get(), IDC_PASSWORD)->HasFlag(wxTE_PASSWORD);
    }

    static HostProfile Lab()
    {
        HostProfile profile;
        profile.name = "Lab";
        profile.host = "192.0.2.10";
        profile.user = "guest";
        profile.password = "s3cret";
        profile.port = 2121;
        profile.useDefaultPort = 0;
        profile.passive = 1;
        profile.initialDir = "/pub";
        return profile;
    }

    std::vector<std::string> messages;
    std::unique_ptr<CHostProfileSheet> sheet;

private:
    ScopedMessageBoxAnswerer m_answerer;
};

TEST_F(ProfileSheetTest, ShowsGeneralThenInitialRootDirectoryThenSecurityUnderItsCaption)
{
    Open(Lab());
    EXPECT_EQ(sheet->GetTitle(), "Host Profile");
    wxBookCtrlBase* book = sheet->GetBookCtrl();
    ASSERT_EQ(book->GetPageCount(), 3u);
    EXPECT_EQ(book->GetPageText(0), "General");
    EXPECT_EQ(book->GetPageText(1), "Initial Root Directory");
    EXPECT_EQ(book->GetPageText(2), "Security");
    EXPECT_EQ(book->GetSelection(), 0);
}

TEST_F(ProfileSheetTest, FillsTheGeneralPageFromTheProfile)
{
    Open(Lab());
    EXPECT_EQ(TextOf(sheet.get(), IDC_PROFILE_NAME), "Lab");
    EXPECT_EQ(TextOf(sheet.get(), IDC_HOST), "192.0.2.10");
    EXPECT_EQ(TextOf(sheet.get(), IDC_USER), "guest");
    EXPECT_EQ(TextOf(sheet.get(), IDC_PASSWORD), "s3cret");
    EXPECT_TRUE(PasswordMasked());
    EXPECT_EQ(TextOf(sheet.get(), IDC_PORT), "2121");
    EXPECT_TRUE(IsEnabled(sheet.get(), IDC_PORT));
    EXPECT_FALSE(IsChecked(sheet.get(), IDC_USE_DEFAULT_PORT));
    EXPECT_TRUE(IsChecked(sheet.get(), IDC_PASSIVE));
    EXPECT_FALSE(IsChecked(sheet.get(), IDC_ANONYMOUS));
    EXPECT_FALSE(IsChecked(sheet.get(), IDC_SAVE_PASSWORD));
}

TEST_F(ProfileSheetTest, AnonymousCheckedShowsEmailInPlainThenUncheckedRestoresTheMaskedPassword)
{
    Open(Lab());
    SetCheck(sheet.get(), IDC_ANONYMOUS, true);
    EXPECT_EQ(TextOf(sheet.get(), IDC_USER), "anonymous");
    EXPECT_FALSE(IsEnabled(sheet.get(), IDC_USER));
    EXPECT_EQ(TextOf(sheet.get(), IDC_PASSWORD), kEmail);
    EXPECT_FALSE(PasswordMasked());

    SetCheck(sheet.get(), IDC_ANONYMOUS, false);
    EXPECT_TRUE(IsEnabled(sheet.get(), IDC_USER));
    EXPECT_EQ(TextOf(sheet.get(), IDC_USER), "anonymous");
    EXPECT_EQ(TextOf(sheet.get(), IDC_PASSWORD), "s3cret");
    EXPECT_TRUE(PasswordMasked());
}

TEST_F(ProfileSheetTest, UncheckingAnonymousRestoresThePasswordLastReadBack)
{
    Open(Lab());
    TypeText(sheet.get(), IDC_PASSWORD, "typed");
    // Leaving the page reads it back; the typed password is then the one to restore.
    ChooseTab(sheet->GetBookCtrl(), 1);
    ChooseTab(sheet->GetBookCtrl(), 0);
    SetCheck(sheet.get(), IDC_ANONYMOUS, true);
    SetCheck(sheet.get(), IDC_ANONYMOUS, false);
    EXPECT_EQ(TextOf(sheet.get(), IDC_PASSWORD), "typed");
}

TEST_F(ProfileSheetTest, NewAnonymousProfileStoresAnonymousAndTheEmailAsPassword)
{
    Open(HostProfile());
    TypeText(sheet.get(), IDC_PROFILE_NAME, "Archive");
    TypeText(sheet.get(), IDC_HOST, "ftp.example.org");
    SetCheck(sheet.get(), IDC_ANONYMOUS, true);
    ASSERT_TRUE(PressOK());
    const HostProfile result = sheet->GetProfile();
    EXPECT_EQ(result.user, "anonymous");
    EXPECT_EQ(result.password, kEmail);
    EXPECT_EQ(result.anonymous, 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProfileSheetTest, OpeningAnAnonymousProfileWithoutPasswordOffersTheEmail)
{
    HostProfile profile = Lab();
    profile.anonymous = 1;
    profile.user = "someone";
    profile.password.clear();
    Open(profile);
    EXPECT_EQ(TextOf(sheet.get(), IDC_USER), "anonymous");
    EXPECT_FALSE(IsEnabled(sheet.get(), IDC_USER));
    EXPECT_EQ(TextOf(sheet.get(), IDC_PASSWORD), kEmail);
    EXPECT_FALSE(PasswordMasked());
}

TEST_F(ProfileSheetTest, OpeningAnAnonymousProfileKeepsItsPasswordInPlain)
{
    HostProfile profile = Lab();
    profile.anonymous = 1;
    profile.password = "other@example.org";
    Open(profile);
    EXPECT_EQ(TextOf(sheet.get(), IDC_PASSWORD), "other@example.org");
    EXPECT_FALSE(PasswordMasked());
}

TEST_F(ProfileSheetTest, UseDefaultShowsPort21DisabledAndStoresIt)
{
    HostProfile profile = Lab();
    profile.useDefaultPort = 1;
    Open(profile);
    EXPECT_EQ(TextOf(sheet.get(), IDC_PORT), "21");
    EXPECT_FALSE(IsEnabled(sheet.get(), IDC_PORT));

    SetCheck(sheet.get(), IDC_USE_DEFAULT_PORT, false);
    EXPECT_TRUE(IsEnabled(sheet.get(), IDC_PORT));
    EXPECT_EQ(TextOf(sheet.get(), IDC_PORT), "21");
    TypeText(sheet.get(), IDC_PORT, "990");
    SetCheck(sheet.get(), IDC_USE_DEFAULT_PORT, true);
    EXPECT_EQ(TextOf(sheet.get(), IDC_PORT), "21");
    EXPECT_FALSE(IsEnabled(sheet.get(), IDC_PORT));

    ASSERT_TRUE(PressOK());
    EXPECT_EQ(sheet->GetProfile().port, 21);
    EXPECT_EQ(sheet->GetProfile().useDefaultPort, 1);
}

TEST_F(ProfileSheetTest, RefusesAPortOutsideOneTo65535AndSaysTheRange)
{
    for (const char* port : {"0", "-1", "-5", "65536", "abc", "21x", "", "   "}) {
        SCOPED_TRACE(port);
        Open(Lab());
        TypeText(sheet.get(), IDC_PORT, port);
        messages.clear();
        EXPECT_FALSE(PressOK());
        EXPECT_TRUE(sheet->IsShown());
        EXPECT_EQ(messages, std::vector<std::string>{"Please enter a port number from 1 to 65535."});

        // Nor can the page be left for the other tab.
        messages.clear();
        ChooseTab(sheet->GetBookCtrl(), 1);
        EXPECT_EQ(sheet->GetBookCtrl()->GetSelection(), 0);
        EXPECT_EQ(messages, std::vector<std::string>{"Please enter a port number from 1 to 65535."});
    }
}

TEST_F(ProfileSheetTest, AcceptsEveryPortAndShowsAHighOneAgainAsEntered)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"1", 1}, {"  2121\t", 2121}, {"+22", 22}, {"32767", 32767}, {"50021", 50021 - 65536}, {"65535", -1}};
    for (const auto& [text, stored] : cases) {
        SCOPED_TRACE(text);
        Open(Lab());
        TypeText(sheet.get(), IDC_PORT, text);
        ASSERT_TRUE(PressOK());
        EXPECT_EQ(sheet->GetProfile().port, stored);

        // Opened again on what was stored, the page shows the port, not its 16-bit form.
        HostProfile saved = Lab();
        saved.port = static_cast<std::int16_t>(stored);
        Open(saved);
        EXPECT_EQ(TextOf(sheet.get(), IDC_PORT), std::to_string(stored < 0 ? stored + 65536 : stored));
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProfileSheetTest, TrimsWhiteSpaceAroundTheTextsAndKeepsItInside)
{
    Open(HostProfile());
    TypeText(sheet.get(), IDC_PROFILE_NAME, "  my lab \t");
    TypeText(sheet.get(), IDC_HOST, "\t192.0.2.10  ");
    TypeText(sheet.get(), IDC_USER, " guest user ");
    TypeText(sheet.get(), IDC_PASSWORD, "  pass word  ");
    ChooseTab(sheet->GetBookCtrl(), 1);
    TypeText(sheet.get(), IDC_INITIAL_DIR, "  /pub/my dir  ");
    ASSERT_TRUE(PressOK());
    const HostProfile result = sheet->GetProfile();
    EXPECT_EQ(result.name, "my lab");
    EXPECT_EQ(result.host, "192.0.2.10");
    EXPECT_EQ(result.user, "guest user");
    EXPECT_EQ(result.password, "pass word");
    EXPECT_EQ(result.initialDir, "/pub/my dir");
}

TEST_F(ProfileSheetTest, AnEmptyNameIsReportedAndTheSheetStillClosesWithOK)
{
    Open(Lab());
    TypeText(sheet.get(), IDC_PROFILE_NAME, " \t ");
    ASSERT_TRUE(PressOK());
    EXPECT_EQ(messages, std::vector<std::string>{
        "The profile or change was discarded since there was no profile name had been specified"});
    EXPECT_EQ(sheet->GetProfile().name, "");
}

TEST_F(ProfileSheetTest, ADirectoryPageNeverShownKeepsItsValue)
{
    HostProfile profile = Lab();
    profile.initialDir = "/pub/";
    Open(profile);
    TypeText(sheet.get(), IDC_HOST, "198.51.100.7");
    ASSERT_TRUE(PressOK());
    EXPECT_EQ(sheet->GetProfile().initialDir, "/pub/");
    EXPECT_EQ(sheet->GetProfile().host, "198.51.100.7");
}

TEST_F(ProfileSheetTest, TheDirectoryPageShowsItsFieldAndNote)
{
    Open(Lab());
    ChooseTab(sheet->GetBookCtrl(), 1);
    PumpEvents();
    EXPECT_EQ(TextOf(sheet.get(), IDC_INITIAL_DIR), "/pub");
    std::vector<std::string> labels;
    for (wxWindow* child : sheet->GetDirectoryPage()->GetChildren()) {
        if (auto* text = dynamic_cast<wxStaticText*>(child)) {
            wxString label = text->GetLabel();
            label.Replace("\n", " ");
            labels.push_back(label.utf8_string());
        }
    }
    EXPECT_EQ(labels, (std::vector<std::string>{
        "Initial Remote Root Directory:",
        "Please note the initial directory started with forward slash. Leave it blank if your not "
        "targeting a particular directory. e.g [/bussys/Clients] for Microsoft site"}));
}

TEST_F(ProfileSheetTest, RefusesLineBreaksInsideTheStoredTexts)
{
    Open(Lab());
    TypeText(sheet.get(), IDC_HOST, "host\nname");
    EXPECT_FALSE(PressOK());
    EXPECT_EQ(messages, std::vector<std::string>{"This field cannot contain a line break."});

    Open(Lab());
    ChooseTab(sheet->GetBookCtrl(), 1);
    TypeText(sheet.get(), IDC_INITIAL_DIR, "/pub\r\n/etc");
    messages.clear();
    EXPECT_FALSE(PressOK());
    EXPECT_EQ(messages, std::vector<std::string>{"This field cannot contain a line break."});

    // Line breaks at the ends are only white space, trimmed away.
    Open(Lab());
    TypeText(sheet.get(), IDC_USER, "guest\n");
    messages.clear();
    ASSERT_TRUE(PressOK());
    EXPECT_EQ(sheet->GetProfile().user, "guest");
    EXPECT_TRUE(messages.empty());
}

TEST_F(ProfileSheetTest, CancelClosesWithoutReadingTheFields)
{
    Open(Lab());
    TypeText(sheet.get(), IDC_PORT, "not a port");
    ClickButton(sheet.get(), wxID_CANCEL);
    EXPECT_EQ(sheet->GetReturnCode(), wxID_CANCEL);
    EXPECT_FALSE(sheet->IsShown());
    EXPECT_TRUE(messages.empty());
}

} // namespace
