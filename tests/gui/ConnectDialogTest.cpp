// The "Connect to Host" dialog on a profile list of the test's own: the list, the choice of
// region, and Add, Edit and Delete through the real "Host Profile" sheet.

#include "DialogDriving.h"

#include "platform/registry/Registry.h"
#include "platform/ui/MessageBox.h"
#include "profiles/ConnectDlg.h"
#include "profiles/HostProfileSheet.h"
#include "profiles/ProfileDialogIds.h"
#include "profiles/ProfileSettings.h"
#include "profiles/ProfileState.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <wx/stattext.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class ConnectDialogTest : public testing::Test {
protected:
    ConnectDialogTest()
        : m_messages([this](const std::string& text, long) {
              messages.push_back(text);
              return messageAnswer;
          })
    {
        for (const char* name : {"Zeta", "lab", "Archive", "Lab Two"})
            AddProfile(name, std::string(name) + ".example.org");
        state.connectionType = 1;
        state.email = "me@example.org";
    }

    void AddProfile(const std::string& name, const std::string& host)
    {
        auto profile = std::make_unique<HostProfile>();
        profile->name = name;
        profile->host = host;
        profile->user = "user";
        profile->password = "pw";
        state.profiles[name] = std::move(profile);
    }

    CConnectDlg& Open(int region)
    {
        // Without a parent, a dialog takes the active one as parent; the old one goes first.
        dialog.reset();
        dialog = std::make_unique<CConnectDlg>(nullptr, state);
        dialog->regionIndex = region;
        dialog->Show();
        PumpEvents();
        return *dialog;
    }

    int Selection() const { return dialog->profileList->GetSelection(); }
    std::vector<std::string> Entries() const { return EntriesOf(dialog->profileList); }
    int EntryOf(const std::string& name) const
    {
        const std::vector<std::string> entries = Entries();
        const auto it = std::find(entries.begin(), entries.end(), name);
        return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
    }
    bool ButtonsEnabled() const
    {
        const bool connect = IsEnabled(dialog.get(), wxID_OK);
        EXPECT_EQ(IsEnabled(dialog.get(), IDC_EDIT), connect);
        EXPECT_EQ(IsEnabled(dialog.get(), IDC_DELETE), connect);
        return connect;
    }
    std::vector<std::string> ProfileNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : state.profiles)
            names.push_back(entry.first);
        return names;
    }

    // Answers each "Host Profile" sheet the dialog opens with the next step: the step acts
    // on the opened sheet and returns whether to press OK.
    using SheetStep = std::function<bool(CHostProfileSheet&)>;
    std::unique_ptr<ScopedDialogAnswerer> AnswerSheets(std::vector<SheetStep> steps)
    {
        sheetSteps = std::move(steps);
        sheetsOpened = 0;
        return std::make_unique<ScopedDialogAnswerer>([this](wxDialog* opened) -> int {
            auto* sheet = dynamic_cast<CHostProfileSheet*>(opened);
            EXPECT_NE(sheet, nullptr);
            if (!sheet || sheetsOpened >= sheetSteps.size()) {
                ADD_FAILURE() << "unexpected dialog";
                return wxID_CANCEL;
            }
            sheet->InitDialog();
            const bool ok = sheetSteps[sheetsOpened++](*sheet);
            ClickButton(sheet, ok ? wxID_OK : wxID_CANCEL);
            return sheet->GetReturnCode();
        });
    }

    static SheetStep Fill(std::string name, std::string host)
    {
        return [name, host](CHostProfileSheet& sheet) {
            TypeText(&sheet, IDC_PROFILE_NAME, name);
            TypeText(&sheet, IDC_HOST, host);
            return true;
        };
    }

    ProfileState state;
    std::unique_ptr<CConnectDlg> dialog;
    std::vector<std::string> messages;
    int messageAnswer = wxOK;
    std::vector<SheetStep> sheetSteps;
    std::size_t sheetsOpened = 0;

private:
    ScopedMessageBoxAnswerer m_messages;
};

TEST_F(ConnectDialogTest, ShowsItsControlsWithTheirTexts)
{
    Open(0);
    EXPECT_EQ(dialog->GetTitle(), "Connect to Host");
    const std::vector<std::pair<int, std::string>> buttons = {
        {wxID_OK, "Connect"}, {IDC_ADD, "Add..."}, {IDC_EDIT, "Edit..."}, {IDC_DELETE, "Delete"}, {wxID_CANCEL, "Cancel"},
        {IDC_UPPER_REGION, "Use Upper Region"}, {IDC_LOWER_REGION, "Use Lower Region"}};
    for (const auto& [id, text] : buttons) {
        wxWindow* control = dialog->FindWindow(id);
        ASSERT_NE(control, nullptr) << id;
        EXPECT_EQ(control->GetLabel(), text);
    }
    EXPECT_EQ(dialog->GetDefaultItem(), dialog->FindWindow(wxID_OK));
}

TEST_F(ConnectDialogTest, ListsTheProfilesSortedWithoutRegardToCase)
{
    Open(0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Archive", "lab", "Lab Two", "Zeta"}));
    EXPECT_EQ(Selection(), wxNOT_FOUND);
    EXPECT_FALSE(ButtonsEnabled());
}

TEST_F(ConnectDialogTest, PreselectsTheRegionsLastProfileByCaseInsensitivePrefix)
{
    state.lastProfileName = {"LAB", "lab t"};
    Open(0);
    EXPECT_EQ(Selection(), EntryOf("lab"));
    EXPECT_TRUE(ButtonsEnabled());

    Open(1);
    EXPECT_EQ(Selection(), EntryOf("Lab Two"));

    // A name whose profile is gone may still select the first entry beginning with it.
    state.lastProfileName[0] = "La";
    Open(0);
    EXPECT_EQ(Selection(), EntryOf("lab"));
}

TEST_F(ConnectDialogTest, SelectsNothingWhenNoEntryBeginsWithTheLastName)
{
    state.lastProfileName[1] = "Gone";
    Open(1);
    EXPECT_EQ(Selection(), wxNOT_FOUND);
    EXPECT_FALSE(ButtonsEnabled());
}

TEST_F(ConnectDialogTest, ConnectEditAndDeleteAreEnabledOnlyWithASelection)
{
    Open(0);
    EXPECT_FALSE(ButtonsEnabled());
    SelectEntry(dialog->profileList, 2);
    EXPECT_TRUE(ButtonsEnabled());
    ClickButton(dialog.get(), IDC_DELETE);
    EXPECT_EQ(Selection(), wxNOT_FOUND);
    EXPECT_FALSE(ButtonsEnabled());
}

TEST_F(ConnectDialogTest, LocalRemoteChecksTheLowerRegionAndDisablesBoth)
{
    state.connectionType = 0;
    Open(1);
    EXPECT_TRUE(IsChecked(dialog.get(), IDC_LOWER_REGION));
    EXPECT_FALSE(IsChecked(dialog.get(), IDC_UPPER_REGION));
    EXPECT_FALSE(IsEnabled(dialog.get(), IDC_UPPER_REGION));
    EXPECT_FALSE(IsEnabled(dialog.get(), IDC_LOWER_REGION));

    SelectEntry(dialog->profileList, EntryOf("Zeta"));
    ClickButton(dialog.get(), wxID_OK);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_EQ(dialog->regionIndex, 1);
    EXPECT_EQ(dialog->selectedProfile, "Zeta");
    EXPECT_EQ(state.lastProfileName[1], "Zeta");
}

TEST_F(ConnectDialogTest, RemoteRemoteLetsTheUserSwitchRegions)
{
    state.lastProfileName = {"Archive", "lab"};
    Open(0);
    EXPECT_TRUE(IsChecked(dialog.get(), IDC_UPPER_REGION));
    EXPECT_TRUE(IsEnabled(dialog.get(), IDC_UPPER_REGION));
    EXPECT_TRUE(IsEnabled(dialog.get(), IDC_LOWER_REGION));

    ClickRadio(dialog.get(), IDC_LOWER_REGION);
    ClickButton(dialog.get(), wxID_OK);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_EQ(dialog->regionIndex, 1);
    EXPECT_EQ(dialog->selectedProfile, "Archive");
    EXPECT_EQ(state.lastProfileName[1], "Archive");
    EXPECT_EQ(state.lastProfileName[0], "Archive");
}

TEST_F(ConnectDialogTest, DoubleClickConnectsWithTheEntryAndTheCheckedRegion)
{
    Open(1);
    DoubleClickEntry(dialog->profileList, EntryOf("Lab Two"));
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(dialog->selectedProfile, "Lab Two");
    EXPECT_EQ(dialog->regionIndex, 1);
    EXPECT_EQ(state.lastProfileName[1], "Lab Two");
}

TEST_F(ConnectDialogTest, ConnectWithoutASelectionDoesNothing)
{
    Open(1);
    dialog->SetReturnCode(0);
    ClickButton(dialog.get(), wxID_OK);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(dialog->GetReturnCode(), 0);
    EXPECT_EQ(state.lastProfileName[1], "");
}

TEST_F(ConnectDialogTest, ConnectWaitsForARegionWhenTheCallerSetNone)
{
    Open(-1);
    EXPECT_FALSE(IsChecked(dialog.get(), IDC_UPPER_REGION));
    EXPECT_FALSE(IsChecked(dialog.get(), IDC_LOWER_REGION));
    SelectEntry(dialog->profileList, EntryOf("Zeta"));
    dialog->SetReturnCode(0);
    ClickButton(dialog.get(), wxID_OK);
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(state.lastProfileName, (std::array<std::string, 2>{"", ""}));

    ClickRadio(dialog.get(), IDC_UPPER_REGION);
    ClickButton(dialog.get(), wxID_OK);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_EQ(dialog->regionIndex, 0);
    EXPECT_EQ(state.lastProfileName[0], "Zeta");
}

TEST_F(ConnectDialogTest, CancelLeavesTheLastProfileNameAlone)
{
    state.lastProfileName[1] = "lab";
    Open(1);
    SelectEntry(dialog->profileList, EntryOf("Zeta"));
    ClickButton(dialog.get(), wxID_CANCEL);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_CANCEL);
    EXPECT_EQ(state.lastProfileName[1], "lab");
}

TEST_F(ConnectDialogTest, DeleteThenCancelKeepsTheDeletion)
{
    Open(1);
    SelectEntry(dialog->profileList, EntryOf("lab"));
    ClickButton(dialog.get(), IDC_DELETE);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Archive", "Lab Two", "Zeta"}));
    ClickButton(dialog.get(), wxID_CANCEL);
    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Archive", "Lab Two", "Zeta"}));
    EXPECT_EQ(state.profileStore.modified, 1);
}

TEST_F(ConnectDialogTest, AddSortsTheNewProfileInAndSelectsIt)
{
    Open(1);
    SelectEntry(dialog->profileList, EntryOf("Lab Two"));
    const auto answerer = AnswerSheets({[](CHostProfileSheet& sheet) {
        EXPECT_EQ(TextOf(&sheet, IDC_PROFILE_NAME), "");
        EXPECT_EQ(TextOf(&sheet, IDC_PORT), "21");
        EXPECT_TRUE(IsChecked(&sheet, IDC_USE_DEFAULT_PORT));
        TypeText(&sheet, IDC_PROFILE_NAME, " Backup ");
        TypeText(&sheet, IDC_HOST, "192.0.2.20");
        TypeText(&sheet, IDC_USER, "ops");
        TypeText(&sheet, IDC_PASSWORD, "pw2");
        SetCheck(&sheet, IDC_SAVE_PASSWORD, true);
        SetCheck(&sheet, IDC_USE_DEFAULT_PORT, false);
        TypeText(&sheet, IDC_PORT, "2121");
        SetCheck(&sheet, IDC_PASSIVE, true);
        ChooseTab(sheet.GetBookCtrl(), 1);
        TypeText(&sheet, IDC_INITIAL_DIR, "/backups");
        return true;
    }});
    ClickButton(dialog.get(), IDC_ADD);
    EXPECT_EQ(sheetsOpened, 1u);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Archive", "Backup", "lab", "Lab Two", "Zeta"}));
    EXPECT_EQ(Selection(), EntryOf("Backup"));
    EXPECT_TRUE(ButtonsEnabled());
    ASSERT_EQ(state.profiles.count("Backup"), 1u);
    const HostProfile& added = *state.profiles["Backup"];
    EXPECT_EQ(added.name, "Backup");
    EXPECT_EQ(added.host, "192.0.2.20");
    EXPECT_EQ(added.user, "ops");
    EXPECT_EQ(added.password, "pw2");
    EXPECT_EQ(added.savePassword, 1);
    EXPECT_EQ(added.anonymous, 0);
    EXPECT_EQ(added.port, 2121);
    EXPECT_EQ(added.useDefaultPort, 0);
    EXPECT_EQ(added.passive, 1);
    EXPECT_EQ(added.initialDir, "/backups");
    EXPECT_EQ(state.profileStore.modified, 1);
}

TEST_F(ConnectDialogTest, AddWithoutANameChangesNothing)
{
    Open(1);
    const auto answerer = AnswerSheets({Fill("  ", "192.0.2.30")});
    ClickButton(dialog.get(), IDC_ADD);
    EXPECT_EQ(messages, std::vector<std::string>{
        "The profile or change was discarded since there was no profile name had been specified"});
    EXPECT_EQ(Entries().size(), 4u);
    EXPECT_EQ(state.profiles.size(), 4u);
    EXPECT_EQ(state.profileStore.modified, 0);
}

TEST_F(ConnectDialogTest, AddUnderAnExistingNameReplacesItOnceTheUserAgrees)
{
    Open(1);
    messageAnswer = wxYES;
    const auto answerer = AnswerSheets({Fill("Zeta", "203.0.113.5")});
    ClickButton(dialog.get(), IDC_ADD);
    EXPECT_EQ(messages, std::vector<std::string>{"A profile named \"Zeta\" already exists. Do you want to replace it?"});
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Archive", "lab", "Lab Two", "Zeta"}));
    EXPECT_EQ(state.profiles["Zeta"]->host, "203.0.113.5");
    EXPECT_EQ(state.profiles.size(), 4u);
}

TEST_F(ConnectDialogTest, AddUnderAnExistingNameDeclinedReturnsToTheSheetWithWhatWasTyped)
{
    Open(1);
    messageAnswer = wxNO;
    const auto answerer = AnswerSheets({Fill("ZETA", "203.0.113.5"), [](CHostProfileSheet& sheet) {
                                            EXPECT_EQ(TextOf(&sheet, IDC_PROFILE_NAME), "ZETA");
                                            EXPECT_EQ(TextOf(&sheet, IDC_HOST), "203.0.113.5");
                                            return false;
                                        }});
    ClickButton(dialog.get(), IDC_ADD);
    EXPECT_EQ(sheetsOpened, 2u);
    EXPECT_EQ(messages, std::vector<std::string>{"A profile named \"Zeta\" already exists. Do you want to replace it?"});
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Archive", "lab", "Lab Two", "Zeta"}));
    EXPECT_EQ(state.profiles["Zeta"]->host, "Zeta.example.org");
    EXPECT_EQ(state.profileStore.modified, 0);
}

TEST_F(ConnectDialogTest, EditFillsTheSheetFromTheProfileAndWritesItBack)
{
    state.profiles["lab"]->port = -1;
    state.profiles["lab"]->useDefaultPort = 0;
    state.profiles["lab"]->initialDir = "/pub";
    Open(1);
    SelectEntry(dialog->profileList, EntryOf("lab"));
    const auto answerer = AnswerSheets({[](CHostProfileSheet& sheet) {
        EXPECT_EQ(TextOf(&sheet, IDC_PROFILE_NAME), "lab");
        EXPECT_EQ(TextOf(&sheet, IDC_HOST), "lab.example.org");
        EXPECT_EQ(TextOf(&sheet, IDC_PASSWORD), "pw");
        // The stored -1 is port 65535.
        EXPECT_EQ(TextOf(&sheet, IDC_PORT), "65535");
        TypeText(&sheet, IDC_HOST, "198.51.100.1");
        ChooseTab(sheet.GetBookCtrl(), 1);
        EXPECT_EQ(TextOf(&sheet, IDC_INITIAL_DIR), "/pub");
        return true;
    }});
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_EQ(state.profiles["lab"]->host, "198.51.100.1");
    EXPECT_EQ(state.profiles["lab"]->port, -1);
    EXPECT_EQ(Selection(), EntryOf("lab"));
    EXPECT_EQ(state.profileStore.modified, 1);
}

TEST_F(ConnectDialogTest, EditWithRenameKeepsTheEntryInPlaceAndSelected)
{
    Open(1);
    SelectEntry(dialog->profileList, EntryOf("Archive"));
    auto answerer = AnswerSheets({Fill("Zulu", "archive.example.org")});
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Zulu", "lab", "Lab Two", "Zeta"}));
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Lab Two", "Zeta", "Zulu", "lab"}));
    EXPECT_EQ(state.profiles["Zulu"]->name, "Zulu");

    // A second Edit acts on the profile under its new name.
    answerer.reset();
    answerer = AnswerSheets({[](CHostProfileSheet& sheet) {
        EXPECT_EQ(TextOf(&sheet, IDC_PROFILE_NAME), "Zulu");
        return false;
    }});
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_EQ(sheetsOpened, 1u);

    // Opened again, the list is sorted again.
    ClickButton(dialog.get(), wxID_CANCEL);
    Open(1);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"lab", "Lab Two", "Zeta", "Zulu"}));
}

TEST_F(ConnectDialogTest, EditRenamingOntoAnotherProfileAsksBeforeReplacingIt)
{
    Open(1);
    SelectEntry(dialog->profileList, EntryOf("Archive"));
    messageAnswer = wxNO;
    auto answerer = AnswerSheets({Fill("Zeta", "archive.example.org"), [](CHostProfileSheet& sheet) {
                                      EXPECT_EQ(TextOf(&sheet, IDC_PROFILE_NAME), "Zeta");
                                      return false;
                                  }});
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_EQ(messages, std::vector<std::string>{"A profile named \"Zeta\" already exists. Do you want to replace it?"});
    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Archive", "Lab Two", "Zeta", "lab"}));
    EXPECT_EQ(state.profiles["Zeta"]->host, "Zeta.example.org");

    messageAnswer = wxYES;
    messages.clear();
    answerer.reset();
    answerer = AnswerSheets({Fill("Zeta", "archive.example.org")});
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Zeta", "lab", "Lab Two"}));
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Lab Two", "Zeta", "lab"}));
    EXPECT_EQ(state.profiles["Zeta"]->host, "archive.example.org");
}

TEST_F(ConnectDialogTest, EditChangingOnlyTheCaseOfTheNameRenamesWithoutAsking)
{
    Open(1);
    SelectEntry(dialog->profileList, EntryOf("lab"));
    const auto answerer = AnswerSheets({Fill("LAB", "lab.example.org")});
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Archive", "LAB", "Lab Two", "Zeta"}));
    EXPECT_EQ(ProfileNames(), (std::vector<std::string>{"Archive", "LAB", "Lab Two", "Zeta"}));
}

TEST_F(ConnectDialogTest, EditWithAnEmptyNameDiscardsTheWholeChange)
{
    Open(1);
    SelectEntry(dialog->profileList, EntryOf("Zeta"));
    const auto answerer = AnswerSheets({Fill("", "changed.example.org")});
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(state.profiles["Zeta"]->host, "Zeta.example.org");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Archive", "lab", "Lab Two", "Zeta"}));
    EXPECT_EQ(state.profileStore.modified, 0);
}

TEST_F(ConnectDialogTest, AddThenCancelKeepsTheNewProfile)
{
    Open(1);
    const auto answerer = AnswerSheets({Fill("New", "192.0.2.99")});
    ClickButton(dialog.get(), IDC_ADD);
    ClickButton(dialog.get(), wxID_CANCEL);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_CANCEL);
    ASSERT_EQ(state.profiles.count("New"), 1u);
    EXPECT_EQ(state.profiles["New"]->host, "192.0.2.99");
    EXPECT_EQ(state.profileStore.modified, 1);
}

} // namespace

namespace {

// The Security page of a new profile offers "Require" checked; a change made on it in an Edit is
// what the next run reads from the registry.
TEST_F(ConnectDialogTest, NewProfileRequiresEncryptionAndAnEditedChoiceIsReadBackNextRun)
{
    TempDir home;
    ScopedEnv file("FERRIX_REGISTRY", (home.Path() / "registry.reg").string());
    RegistryReload();
    const auto checkedChoice = [](CHostProfileSheet& sheet) {
        std::vector<int> checked;
        for (int id : {IDC_REQUIRE_TLS, IDC_TLS_IF_AVAILABLE, IDC_PLAIN_FTP}) {
            if (IsChecked(&sheet, id))
                checked.push_back(id);
        }
        return checked;
    };
    Open(1);
    auto answerer = AnswerSheets({[&](CHostProfileSheet& sheet) {
        Fill("Secure", "192.0.2.30")(sheet);
        ChooseTab(sheet.GetBookCtrl(), 2);
        EXPECT_EQ(sheet.GetBookCtrl()->GetPageText(2), "Security");
        EXPECT_EQ(checkedChoice(sheet), std::vector<int>{IDC_REQUIRE_TLS});
        return true;
    }});
    ClickButton(dialog.get(), IDC_ADD);
    ASSERT_EQ(state.profiles.count("Secure"), 1u);
    EXPECT_EQ(state.profiles["Secure"]->security, ConnectionSecurity::RequireTls);

    answerer.reset();
    answerer = AnswerSheets({[&](CHostProfileSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), 2);
        EXPECT_EQ(checkedChoice(sheet), std::vector<int>{IDC_REQUIRE_TLS});
        ClickRadio(&sheet, IDC_PLAIN_FTP);
        // Leaving the page and coming back shows what was chosen.
        ChooseTab(sheet.GetBookCtrl(), 0);
        ChooseTab(sheet.GetBookCtrl(), 2);
        EXPECT_EQ(checkedChoice(sheet), std::vector<int>{IDC_PLAIN_FTP});
        return true;
    }});
    SelectEntry(dialog->profileList, EntryOf("Secure"));
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_EQ(sheetsOpened, 1u);
    EXPECT_EQ(state.profiles["Secure"]->security, ConnectionSecurity::Plain);

    RegistryReload();
    ProfileState next;
    LoadProfiles(next);
    ASSERT_EQ(next.profiles.count("Secure"), 1u);
    EXPECT_EQ(next.profiles["Secure"]->security, ConnectionSecurity::Plain);
    EXPECT_EQ(next.profiles["Zeta"]->security, ConnectionSecurity::RequireTls);

    answerer.reset();
    answerer = AnswerSheets({[&](CHostProfileSheet& sheet) {
        ChooseTab(sheet.GetBookCtrl(), 2);
        EXPECT_EQ(checkedChoice(sheet), std::vector<int>{IDC_PLAIN_FTP});
        ClickRadio(&sheet, IDC_TLS_IF_AVAILABLE);
        return true;
    }});
    ClickButton(dialog.get(), IDC_EDIT);
    EXPECT_EQ(state.profiles["Secure"]->security, ConnectionSecurity::TlsIfAvailable);
    dialog.reset();
    RegistryReload();
}

} // namespace
